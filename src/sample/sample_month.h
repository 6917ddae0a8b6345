#pragma once

#include "sample/sample_model.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tl::sample {

// A made-up month of one crew group in every file format the program reads:
// the pairing file with its listings, the crew tracking system's extracts
// (roster, absences of this and next month, last month's activity and
// pairings), a toolbox file and the pilots' bids. Nothing in it comes from a
// real airline; the same options always give the same bytes.

// Record lengths of the fixed-column formats (before the line feed, except
// where noted).
constexpr int kPrgRecordLength = 320; // every line kind of the pairing file
constexpr int kRosterRecordLength = 102;
constexpr int kLongRosterRecordLength = 147; // the longer layout of the same extract
constexpr int kAbsenceRecordLength = 443;
constexpr int kActivityRecordLength = 1605;
constexpr int kPriorPairingRecordLength = 1178; // line feed included

constexpr int kMaxSamplePairings = 899; // three digits after the equipment character
constexpr int kMaxSampleCrew = 1000;    // the crew table

struct SampleOptions {
    std::string group = "YYZDH8FOZ"; // base, aircraft type, status, pairing letter
    int year = 2027;
    int month = 11;
    int crew = 120;
    int pairings = 0; // 0: as many as the crew flies, with some open time
    bool allBases = false;
    bool clean = false; // none of the odd cases of real extracts
    uint64_t seed = 1;
};

// What is wrong with the options, or an empty text when they make a month.
std::string CheckSampleOptions(const SampleOptions& options);

// The schedule period of a month: the calendar month, except that February
// runs from 31 January and March from 2 March, the periods the bid
// requests shift by one day.
struct SamplePeriod {
    int32_t firstDay = 0; // Julian day numbers
    int32_t lastDay = 0;
};

SamplePeriod SampleMonthPeriod(int year, int month);

struct SampleFile {
    std::string name; // file name without folder; empty when not made
    std::string text;
};

struct SampleMonth {
    SamplePeriod period;
    std::string group;
    int crewKind = 1;
    SampleFile prg;              // the group's pairings
    std::vector<SampleFile> lis; // one listing per equipment character
    SampleFile roster;
    SampleFile absences;
    SampleFile nextAbsences;
    SampleFile activity;
    SampleFile priorPairings;
    SampleFile toolBox;
    SampleFile bids;        // pilot groups only
    SampleFile allBasesPrg; // with allBases only
    // The group's pairings as the pairing file carries them, for checks of
    // what a loader makes of that file.
    std::vector<SamplePairing> pairings;

    // Every file made, in a fixed order.
    std::vector<const SampleFile*> Files() const;
};

// Makes the month. The options must pass CheckSampleOptions.
SampleMonth GenerateSampleMonth(const SampleOptions& options);

// The pairing file of every base and equipment of the airline, the group's
// own pairings among them (the --all-bases file on its own, for the loader's
// benchmark).
std::string GenerateAllBasesPrg(const SampleOptions& options);

// Writes the files into `folder`, creating it when needed. False with the
// reason in `error` when a file cannot be written.
[[nodiscard]] bool WriteSampleMonth(const SampleMonth& month, const std::filesystem::path& folder,
                                    std::string& error);

} // namespace tl::sample
