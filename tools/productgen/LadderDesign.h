#pragma once

struct ProductModel;

// Designs the sub-circuit of a model from its targets: the capacitance at 120 Hz near the
// rated value, the ESR at the series' reference frequency a little below the catalogue limit,
// a dielectric loss that sets the DF at 120 Hz, a roll-off of the anode's capacitance that
// follows its ESR·C product, and the case's series inductance. Fills the model values of
// `model.record` (rounded as the library prints them) and `model.dfAt120`. False when the
// ladder cannot meet the targets.
// `rollOffScale` moves the anode's roll-off: above 1 the ladder settles at higher frequencies.
bool DesignLadder(ProductModel& model, double rollOffScale);
