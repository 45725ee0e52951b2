#include "quote/cent_shares.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>

namespace dravenor::quote {

Cents toCents(double amount)
{
    return static_cast<Cents>(std::llround(amount * 100));
}

std::string centsText(Cents cents)
{
    const Cents whole = std::llabs(cents);
    char text[32];
    std::snprintf(text, sizeof text, "%s%lld.%02lld", cents < 0 ? "-" : "", static_cast<long long>(whole / 100),
                  static_cast<long long>(whole % 100));
    return text;
}

std::vector<Cents> shareCents(Cents amount, const std::vector<double>& weights)
{
    std::vector<Cents> shares(weights.size(), 0);
    if (weights.empty()) return shares;
    std::vector<double> w(weights.size());
    std::transform(weights.begin(), weights.end(), w.begin(), [](double x) { return x > 0 && std::isfinite(x) ? x : 0.0; });
    double sum = std::accumulate(w.begin(), w.end(), 0.0);
    if (sum <= 0) {
        std::fill(w.begin(), w.end(), 1.0);
        sum = static_cast<double>(w.size());
    }
    std::vector<double> remainder(w.size());
    Cents given = 0;
    for (size_t i = 0; i < w.size(); ++i) {
        const double quota = static_cast<double>(amount) * (w[i] / sum);
        shares[i] = static_cast<Cents>(std::floor(quota));
        remainder[i] = quota - static_cast<double>(shares[i]);
        given += shares[i];
    }
    std::vector<size_t> order(w.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return remainder[a] > remainder[b]; });
    // Rounding of the quotas leaves fewer cents than shares; any further drift goes round again.
    for (size_t k = 0; given != amount; k = (k + 1) % order.size()) {
        const Cents step = given < amount ? 1 : -1;
        shares[order[k]] += step;
        given += step;
    }
    return shares;
}

} // namespace dravenor::quote
