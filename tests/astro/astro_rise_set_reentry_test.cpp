// Rise, transit and set searches of different days, sites and bodies, run
// interleaved with one another and with the Sun's own searches, give the
// answers each gives alone: a search reads nothing but the day record it
// is handed, as the What's Today table and the comet list need.
#include <gtest/gtest.h>

#include "astro/rise_set.h"

#include <iterator>
#include <vector>

namespace {

const double kSirius[2] = {101.28715533, -16.71611586};  // J2000, degrees

struct Search {
    DateTime date;
    ObserverLocation site;
    int32_t body;
    int32_t kind;
};

const Search kSearches[] = {
    {{2024, 3, 1, 0, 0, 0.0, 9.0}, {35.6895, 139.6917, 0.0}, kSunId, kEventRise},
    {{2025, 5, 25, 0, 0, 0.0, 1.0}, {69.6492, 18.9553, 0.0}, kMoonId, kEventRise},
    {{2009, 3, 20, 0, 0, 0.0, 10.0}, {-33.8688, 151.2093, 0.0}, kMoonId, kEventSet},
    {{2024, 6, 21, 0, 0, 0.0, 0.0}, {51.4779, -0.0015, 100.0}, kJupiter, kEventTransit},
    {{2023, 12, 1, 0, 0, 0.0, -5.0}, {0.0, -78.5, 0.0}, kFixedPointId, kEventSet},
    {{2024, 9, 22, 0, 0, 0.0, -3.0}, {-54.8019, -68.303, 0.0}, kVenus, kEventRise},
    {{2024, 12, 21, 0, 0, 0.0, 1.0}, {69.6492, 18.9553, 0.0}, kSunId, kEventRise},
};
constexpr size_t kSearchCount = std::size(kSearches);

struct Answer {
    int32_t found = -1;
    double jd = -1.0;
};

Answer FindEvent(const RiseSetDay& day, const Search& search)
{
    Answer answer;
    const RiseSetObject object =
        search.body == kFixedPointId ? RiseSetObjectOf(kSirius) : RiseSetObjectOf(search.body);
    answer.found = FindRiseTransitSet(day, search.date.zone, object, search.kind, search.site, 0.0, answer.jd);
    return answer;
}

// Searches of other days between two searches, as another caller would
// run them.
void SearchSomethingElse(size_t i)
{
    const Search& other = kSearches[(i + 3) % kSearchCount];
    double jd = 0.0;
    SunSetThroughAltitude(other.date, other.site, jd, -12);
    const RiseSetDay day = SetupRiseSetDay(other.date, other.site);
    FindRiseTransitSet(day, other.date.zone, RiseSetObjectOf(kMoonId), kEventTransit, other.site, 0.0, jd);
}

std::vector<Answer> RunAlone()
{
    std::vector<Answer> answers;
    for (const Search& search : kSearches)
        answers.push_back(FindEvent(SetupRiseSetDay(search.date, search.site), search));
    return answers;
}

void ExpectSame(const Answer& alone, const Answer& interleaved, size_t i)
{
    EXPECT_EQ(interleaved.found, alone.found) << "search " << i;
    EXPECT_EQ(interleaved.jd, alone.jd) << "search " << i;
}

}  // namespace

TEST(RiseSetReentry, InterleavedSearchesGiveTheAnswersTheyGiveAlone)
{
    const std::vector<Answer> alone = RunAlone();
    int found = 0;
    for (const Answer& answer : alone)
        found += answer.found;
    ASSERT_GE(found, 5) << "too few events for the comparison to mean anything";

    // Every day set up before any search, then searched in the other
    // order, with other days' searches run in between.
    std::vector<RiseSetDay> days;
    for (const Search& search : kSearches)
        days.push_back(SetupRiseSetDay(search.date, search.site));
    for (size_t i = kSearchCount; i-- > 0;) {
        SearchSomethingElse(i);
        ExpectSame(alone[i], FindEvent(days[i], kSearches[i]), i);
    }
}

TEST(RiseSetReentry, TwoSearchesTakingTurnsGiveTheAnswersTheyGiveAlone)
{
    const std::vector<Answer> alone = RunAlone();
    for (size_t i = 0; i < kSearchCount; ++i) {
        const size_t j = (i + 1) % kSearchCount;
        const RiseSetDay first = SetupRiseSetDay(kSearches[i].date, kSearches[i].site);
        const RiseSetDay second = SetupRiseSetDay(kSearches[j].date, kSearches[j].site);
        const Answer b = FindEvent(second, kSearches[j]);
        const Answer a = FindEvent(first, kSearches[i]);
        ExpectSame(alone[i], a, i);
        ExpectSame(alone[j], b, j);
    }
}
