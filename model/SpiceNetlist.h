#pragma once

#include <string>

struct CapacitorRecord;

// The SPICE sub-circuit of a part as the frequency-response computation connects it, for
// `.include` in an ngspice deck: `.SUBCKT <part> PLUS MINUS` ... `.ENDS <part>`.
//
// Without a temperature the ladder elements carry their temperature coefficients in
// element models with tnom=25, so the deck's own temperature applies, measured from 25 °C
// whatever the deck's tnom. With a temperature the ladder values are those the computation
// uses at that temperature and carry no coefficients.
std::string BuildSpiceNetlist(const CapacitorRecord& record);
std::string BuildSpiceNetlistAt(const CapacitorRecord& record, double temperature);
