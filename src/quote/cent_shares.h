#pragma once
// Money in whole cents, and an amount shared out so that the shares add up to it exactly.
#include <cstdint>
#include <string>
#include <vector>

namespace dravenor::quote {

using Cents = std::int64_t;

// The amount rounded to the nearest cent (halves away from zero).
Cents toCents(double amount);
// "1234.50", "-0.05": the amount with two decimals, no grouping.
std::string centsText(Cents cents);

// The amount split in proportion to the weights, each share whole cents, the cents rounding left
// over given to the largest remainders (the earlier on a tie); equal shares when no weight is
// above 0. The shares always add up to the amount.
std::vector<Cents> shareCents(Cents amount, const std::vector<double>& weights);

} // namespace dravenor::quote
