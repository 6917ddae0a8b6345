#pragma once

#include <span>
#include <string_view>

namespace tl::sample {

// An airport of the sample network. Positions are in hundredths of a degree
// (west longitudes negative), enough for block times by distance.
struct Station {
    std::string_view code;
    int lat;
    int lon;
    bool usa;
};

std::span<const Station> Stations();
const Station* FindStation(std::string_view code);

// The bases in the order in which the pairing loader finds their airport
// codes in a crew group code, with the base letter each one gives.
struct Base {
    char letter;
    std::string_view airport;
};

std::span<const Base> Bases();
const Base* FindBase(char letter);

// An equipment character of the pairing numbers: the aircraft type it
// belongs to, the type tags its legs carry in the listings, and the speed and
// range that shape its legs.
struct Equipment {
    char digit;
    std::string_view aircraftType; // as in the crew group code
    std::string_view mainTag;      // most legs
    std::string_view otherTag;     // some legs
    int otherTagPercent;
    int speedKmh;
    int rangeKm;
    int seats;
};

std::span<const Equipment> EquipmentTypes();
const Equipment* FindEquipment(char digit);

// Great-circle distance, near enough, with integer arithmetic only so that
// every platform gets the same figures.
int DistanceKm(const Station& a, const Station& b);

// Scheduled block time of a leg, in minutes, rounded up to five.
int BlockMinutes(const Station& from, const Station& to, int speedKmh);

// A station reached from the base by road (limousine or bus), with its
// code and time, for the segment lines; nothing for most bases.
struct GroundLink {
    std::string_view base;
    std::string_view station;
    std::string_view code;
    int minutes;
};

std::span<const GroundLink> GroundLinks();

std::span<const std::string_view> LastNames();
std::span<const std::string_view> FirstNames();

} // namespace tl::sample
