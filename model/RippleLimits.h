#pragma once

struct CapacitorRecord;

// Permissible ripple at one frequency point:
//   current = sqrt(power / esr) * derating        (A rms)
//   voltage = min(current * impedance, 0.1 * ratedVoltage)   (V rms)
void RippleLimits(double esr, double derating, double power, double impedance, double ratedVoltage,
                  double& current, double& voltage);

// Temperature derating of the ripple current, piecewise linear over five break points; 1 for
// no series.
double RippleDerating(double temperature, const char* series);

// Power the case can dissipate, W; 0 for a case without an entry.
double CasePowerDissipation(char caseCode, char family, const char* series);

// Highest temperature the user may select for the part, °C; 125 without a record.
int MaxTemperature(const CapacitorRecord* record);
