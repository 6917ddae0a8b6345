#include "sample/sample_world.h"

#include <cstdint>

namespace tl::sample {

namespace {

// Canadian airports and United States airports served from them. Every
// United States code here is one the USA-segment scan knows.
constexpr Station kStations[] = {
    {"YYJ", 4865, -12343, false}, {"YVR", 4919, -12318, false}, {"YYC", 5111, -11402, false},
    {"YXE", 5217, -10670, false}, {"YYZ", 4368, -7963, false},  {"YXU", 4304, -8115, false},
    {"YUL", 4547, -7374, false},  {"YQB", 4679, -7139, false},  {"YHZ", 4488, -6351, false},
    {"YOW", 4532, -7567, false},  {"YQM", 4611, -6468, false},  {"YYT", 4762, -5275, false},
    {"YQR", 5043, -10467, false}, {"YWG", 4991, -9724, false},  {"YEG", 5331, -11358, false},
    {"YQT", 4837, -8932, false},  {"YSJ", 4532, -6589, false},  {"YFC", 4587, -6653, false},
    {"YYG", 4629, -6312, false},  {"YQX", 4894, -5457, false},  {"YDF", 4921, -5739, false},
    {"YSB", 4663, -8080, false},  {"YAM", 4649, -8451, false},  {"YTS", 4857, -8138, false},
    {"YQG", 4228, -8296, false},  {"YLW", 4996, -11938, false}, {"YKA", 5070, -12044, false},
    {"YXS", 5389, -12268, false}, {"YMM", 5665, -11122, false}, {"YQU", 5518, -11889, false},
    {"YQL", 4963, -11280, false}, {"YXH", 5002, -11072, false}, {"YCD", 4905, -12387, false},
    {"YPR", 5429, -13044, false}, {"YXT", 5447, -12858, false}, {"YGK", 4423, -7660, false},
    {"YVO", 4805, -7778, false},  {"YBG", 4833, -7100, false},  {"YGP", 4878, -6448, false},
    {"YZV", 5022, -6627, false},  {"YQY", 4616, -6005, false},  {"YHM", 4317, -7993, false},
    {"YKF", 4346, -8038, false},  {"YTZ", 4363, -7940, false},  {"YXX", 4903, -12237, false},
    {"YZF", 6246, -11444, false}, {"YXJ", 5624, -12084, false}, {"YQQ", 4971, -12489, false},
    {"YWK", 5292, -6686, false},  {"YYY", 4861, -6821, false},  {"YSC", 4544, -7169, false},
    {"YQI", 4383, -6617, false},  {"YPE", 5623, -11743, false}, {"YZR", 4299, -8231, false},
    {"BOS", 4236, -7101, true},   {"LGA", 4078, -7387, true},   {"EWR", 4069, -7417, true},
    {"JFK", 4064, -7378, true},   {"PHL", 3987, -7524, true},   {"BWI", 3918, -7667, true},
    {"IAD", 3895, -7746, true},   {"DCA", 3885, -7704, true},   {"BDL", 4194, -7268, true},
    {"ALB", 4275, -7380, true},   {"SYR", 4311, -7611, true},   {"ROC", 4312, -7767, true},
    {"BUF", 4294, -7873, true},   {"PIT", 4049, -8023, true},   {"CLE", 4141, -8185, true},
    {"DTW", 4221, -8335, true},   {"CMH", 3999, -8289, true},   {"CVG", 3905, -8466, true},
    {"IND", 3972, -8629, true},   {"ORD", 4197, -8791, true},   {"MKE", 4295, -8790, true},
    {"MSP", 4488, -9322, true},   {"SEA", 4745, -12231, true},  {"PDX", 4559, -12260, true},
    {"SFO", 3762, -12238, true},  {"DEN", 3986, -10467, true},  {"SLC", 4079, -11198, true},
    {"PWM", 4365, -7031, true},   {"BGR", 4481, -6883, true},   {"BTV", 4447, -7315, true},
    {"CLT", 3521, -8094, true},   {"RDU", 3588, -7879, true},   {"RIC", 3751, -7732, true},
    {"PHX", 3343, -11201, true},  {"LAS", 3608, -11515, true},  {"LAX", 3394, -11841, true},
    {"GEG", 4762, -11753, true},  {"BOI", 4356, -11622, true},  {"SMF", 3870, -12159, true},
};

constexpr Base kBases[] = {{'J', "YYJ"}, {'V', "YVR"}, {'C', "YYC"}, {'S', "YXE"}, {'Z', "YYZ"},
                           {'U', "YXU"}, {'M', "YUL"}, {'Q', "YQB"}, {'H', "YHZ"}};

// DH1 and DH3 are the tags of the Dash 8 fleets in the listings (the larger
// Dash 8 too is listed as DH3); CRA is the larger regional jet, which also
// flies some Dash 8 legs.
constexpr Equipment kEquipment[] = {
    {'8', "DH8", "DH1", "DH3", 40, 440, 900, 37},  {'3', "DH3", "DH3", "DH3", 0, 450, 950, 50},
    {'4', "DH4", "DH3", "DH3", 0, 560, 1300, 74},  {'7', "CRJ", "CRJ", "CRA", 25, 700, 2300, 50},
    {'2', "CRJ", "CRA", "CRJ", 20, 720, 2500, 75},
};

constexpr GroundLink kGroundLinks[] = {
    {"YYZ", "YHM", "LMO", 55},  {"YYZ", "YKF", "LMO", 65}, {"YYZ", "YTZ", "LMO", 35},
    {"YUL", "YOW", "BUS", 135}, {"YVR", "YXX", "LMO", 60},
};

// cos(latitude) × 1000 for whole degrees 25 to 70.
constexpr int kCos1000[] = {906, 899, 891, 883, 875, 866, 857, 848, 839, 829, 819, 809,
                            799, 788, 777, 766, 755, 743, 731, 719, 707, 695, 682, 669,
                            656, 643, 629, 616, 602, 588, 574, 559, 545, 530, 515, 500,
                            485, 469, 454, 438, 423, 407, 391, 375, 358, 342};

int64_t ISqrt(int64_t v)
{
    if (v <= 0)
        return 0;
    int64_t r = 0;
    int64_t bit = int64_t{1} << 62;
    while (bit > v)
        bit >>= 2;
    while (bit != 0) {
        if (v >= r + bit) {
            v -= r + bit;
            r = (r >> 1) + bit;
        } else {
            r >>= 1;
        }
        bit >>= 2;
    }
    return r;
}

// clang-format off
constexpr std::string_view kLastNames[] = {
    "TREMBLAY", "GAGNON", "ROY", "COTE", "BOUCHARD", "GAUTHIER", "MORIN", "LAVOIE", "FORTIN",
    "GAGNE", "OUELLET", "PELLETIER", "B\xC9LANGER", "L\xC9VESQUE", "BERGERON", "LEBLANC",
    "PAQUETTE", "GIRARD", "SIMARD", "BOUCHER", "CARON", "BEAULIEU", "CLOUTIER", "DUBOIS",
    "POIRIER", "FOURNIER", "LAPOINTE", "LECLERC", "LEFEBVRE", "POULIN", "THIBAULT", "ST-PIERRE",
    "NADEAU", "MARTIN", "LANDRY", "MARTEL", "BEDARD", "GRENIER", "LESSARD", "BERNIER",
    "SMITH", "BROWN", "TREMBLAY", "MACDONALD", "CAMPBELL", "ANDERSON", "WILSON", "TAYLOR",
    "THOMPSON", "JOHNSTON", "WILLIAMS", "JONES", "MILLER", "STEWART", "MACLEOD", "MURRAY",
    "ROSS", "FRASER", "GRAHAM", "MCKENZIE", "PATEL", "SINGH", "NGUYEN", "CHEN", "WONG", "LEE",
    "KOWALSKI", "SCHMIDT", "O'BRIEN", "VAN DER BERG", "MACINTYRE-HOLLOWAY",
};

constexpr std::string_view kFirstNames[] = {
    "ALEXANDRE", "AMELIE", "ANDREW", "ANNE", "BENOIT", "CATHERINE", "CHANTAL", "CHRISTOPHER",
    "DANIEL", "DAVID", "EMILY", "ERIC", "FRANCOIS", "GENEVIEVE", "HEATHER", "ISABELLE", "JAMES",
    "JASON", "JENNIFER", "JULIE", "KAREN", "KEVIN", "LAURA", "LOUIS", "MARC", "MARIE", "MARTIN",
    "MATTHEW", "MELANIE", "MICHAEL", "NATHALIE", "NICOLAS", "OLIVIER", "PATRICK", "PAUL",
    "PIERRE", "RACHEL", "RICHARD", "ROBERT", "SARAH", "SEBASTIEN", "SOPHIE", "STEPHANIE",
    "STEVEN", "SUSAN", "SYLVAIN", "THOMAS", "VALERIE", "VINCENT", "WILLIAM", "YVES", "ZOE",
};
// clang-format on

} // namespace

std::span<const Station> Stations()
{
    return kStations;
}

const Station* FindStation(std::string_view code)
{
    for (const Station& s : kStations)
        if (s.code == code)
            return &s;
    return nullptr;
}

std::span<const Base> Bases()
{
    return kBases;
}

const Base* FindBase(char letter)
{
    for (const Base& b : kBases)
        if (b.letter == letter)
            return &b;
    return nullptr;
}

std::span<const Equipment> EquipmentTypes()
{
    return kEquipment;
}

const Equipment* FindEquipment(char digit)
{
    for (const Equipment& e : kEquipment)
        if (e.digit == digit)
            return &e;
    return nullptr;
}

int DistanceKm(const Station& a, const Station& b)
{
    // Equirectangular: east-west hundredths shrink with the cosine of the
    // mean latitude. 0.01 degree of latitude is about 1112 m.
    int meanDeg = (a.lat + b.lat) / 200;
    if (meanDeg < 25)
        meanDeg = 25;
    if (meanDeg > 70)
        meanDeg = 70;
    const int64_t cos1000 = kCos1000[meanDeg - 25];
    const int64_t dy = int64_t{a.lat - b.lat} * 1112;
    const int64_t dx = int64_t{a.lon - b.lon} * 1112 * cos1000 / 1000;
    return static_cast<int>(ISqrt(dx * dx + dy * dy) / 1000);
}

int BlockMinutes(const Station& from, const Station& to, int speedKmh)
{
    const int airborne = DistanceKm(from, to) * 60 / (speedKmh > 0 ? speedKmh : 1);
    const int block = 22 + airborne; // taxi, climb and descent
    return (block + 4) / 5 * 5;
}

std::span<const GroundLink> GroundLinks()
{
    return kGroundLinks;
}

std::span<const std::string_view> LastNames()
{
    return kLastNames;
}
std::span<const std::string_view> FirstNames()
{
    return kFirstNames;
}

} // namespace tl::sample
