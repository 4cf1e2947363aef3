#pragma once

#include <string>

struct Bank;
struct BankQuery;

// An ngspice deck of a decoupling bank: the sub-circuit of every part type at the query's
// temperature, each part of the bank as its own instance behind its mounting inductance and
// resistance, the converter's output between the rail and ground, a 1 A AC source into the
// rail (so V(rail) is the rail's impedance) and an AC analysis over the program's frequency
// range.
std::string BuildBankDeck(const Bank& bank, const BankQuery& query);
