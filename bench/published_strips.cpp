#include "published_strips.h"

#include <map>

namespace dravenor::bench {

std::optional<PublishedStrip> publishedStrip(const std::string& jobName)
{
    static const std::map<std::string, PublishedStrip> figures{
        {"albano-strip", {89.53, 89.82}},  {"dagli-strip", {89.31, 90.17}},   {"mao-strip", {86.03, 86.87}},
        {"marques-strip", {90.97, 92.02}}, {"jakobs1-strip", {89.08, 89.25}}, {"jakobs2-strip", {84.73, 87.72}},
        {"fu-strip", {92.39, 92.40}},      {"shapes0-strip", {68.77, 69.98}}, {"gardeyn2-strip", {0, 89.57}},
        {"gardeyn7-strip", {0, 87.02}},
    };
    const auto found = figures.find(jobName);
    if (found == figures.end()) return std::nullopt;
    return found->second;
}

} // namespace dravenor::bench
