#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tl::sample {

// One leg of a sample pairing. Times are the base's clock, days count from
// the pairing's first operating date; block is elapsed minutes (across a
// daylight-saving change the clocks and the block differ by the shift).
struct SampleLeg {
    enum class Kind { Flight, OtherCarrier, Ground };
    Kind kind = Kind::Flight;
    bool deadhead = false;
    int flight = 0;          // own and other-carrier flights
    std::string carrier;     // other carrier, two letters
    std::string segmentCode; // ground segment ("LMO", "BUS")
    std::string tag;         // aircraft tag of an own flight ("CRA", "DH3" ...)
    std::string from;
    std::string to;
    int depDay = 0;
    int dep = 0;
    int arrDay = 0;
    int arr = 0;
    int block = 0;
};

struct SampleDuty {
    int day = 0;    // of the report
    int report = 0; // clock
    int endDay = 0;
    int end = 0;      // clock
    int onDuty = 0;   // counted time on duty: elapsed less any break
    int brk = 0;      // break at a hotel inside a split duty, not on duty
    int block = 0;    // own flights flown
    int deadhead = 0; // legs ridden
    int sit = 0;      // between legs
    int credit = 0;
    int rest = 0; // to the next report; 0 after the last duty
    std::string endStation;
    bool dayOffAfter = false; // a free day at the outstation follows
    std::vector<SampleLeg> legs;
};

struct SamplePairing {
    char base = 'Z';
    int number = 0; // four digits, the first one the equipment character
    std::string airport;
    std::string aircraftType;
    std::vector<SampleDuty> duties;
    int onTime = 0;
    int release = 0; // clock
    int tafb = 0;
    bool continuous = false;
    std::string complement;
    int minRest = 0;
    int days = 1; // calendar days from the first report to the release
    std::array<int, 6> dayHard{};
    std::array<int, 6> dayCredit{};
    int credit = 0;
    bool usa = false;
    bool french = false;
    int mealsUsCents = 0;
    int mealsCadCents = 0;

    std::vector<int32_t> dates; // operating dates, first one first
    int32_t validFrom = 0;
    int32_t validTo = 0;
    std::array<bool, 7> pattern{}; // Monday to Sunday
    std::vector<int32_t> exceptions;

    // Odd cases of real pairing files, written as the pairing system does.
    bool midnightReport = false;       // report 00:00: lines dated the day before, 1440 or 0
    bool repeatedLine = false;         // the first pairing line written twice
    bool blankDutyLines = false;       // a duty line without times for each free day
    std::vector<int32_t> outsideDates; // further pairing lines outside the period

    char Equipment() const { return static_cast<char>('0' + number / 1000 % 10); }
    std::string Identifier() const;
    std::vector<std::string> Layovers() const;
    int TotalBlock() const;
    int TotalDuty() const;
};

// The daylight-saving change inside a period: the day index and the shift;
// shift 0 when the period has none.
struct SampleDstChange {
    int dayIndex = 0;
    int shift = 0;
};

struct SampleAbsence {
    std::string code; // two-character tracking code
    int firstDay = 0; // day numbers of the period, from 1
    int lastDay = 0;
    int start = 0;
    int end = 0;
};

// One entry of last month's activity: a pairing instance or an activity code.
struct SamplePriorEntry {
    bool pairing = false;
    int templateIndex = -1;
    int32_t date = 0; // pairing start, or the code's first date
    int32_t lastDate = 0;
    std::string code;
    int start = 0;
    int end = 0;
};

struct SampleCrewMember {
    int32_t empNumber = 0;
    std::string lastName;
    std::string firstName;
    std::string groupCode; // airport, aircraft type, status: 8 characters
    bool inGroup = false;
    std::string quals;
    int32_t hireDate = 0;
    int32_t checkDate = 0;
    std::vector<SampleAbsence> absences;
    std::vector<SampleAbsence> nextAbsences;
    std::vector<SamplePriorEntry> prior;
    std::array<int, 31> priorHard{};
    int carryIntoMonth = 0; // days of the month still covered by last month's pairing
    bool reserveBid = false;
    // Odd cases of the extracts.
    bool lowerCase = false;  // the roster line in lower case
    bool longRecord = false; // a 147-character roster record
    enum class BidFault { None, GdoOnWorkDay, OutOfRange, TenDays, VerticalTab, Unreadable };
    BidFault bidFault = BidFault::None;
};

} // namespace tl::sample
