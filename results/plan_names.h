// SPDX-License-Identifier: GPL-3.0-or-later
// The names both programs give the satellites and the kinds of row, the
// companion's English beside the window's Japanese. Every entry is a plain
// string literal, so that the Japanese columns can later be marked for Qt's
// translation tools without the table changing shape.
#pragma once

#include "engine/events.h"
#include "engine/mutual.h"

namespace veltrax {

struct BodyNames {
    const char* numeral;   // "I": the companion's --moons and CSV
    const char* english;   // "Io": the companion's text lines
    const char* window;    // "Ⅰ イオ": the dialog's satellite column
    const char* japanese;  // "イオ": calendars and the events of two satellites
};

// Satellites I to IV (index 0 for Io).
inline constexpr BodyNames kSatelliteNames[4] = {
    {"I", "Io", "Ⅰ イオ", "イオ"},
    {"II", "Europa", "Ⅱ エウロパ", "エウロパ"},
    {"III", "Ganymede", "Ⅲ ガニメデ", "ガニメデ"},
    {"IV", "Callisto", "Ⅳ カリスト", "カリスト"},
};

// The Great Red Spot where a satellite would stand.
inline constexpr BodyNames kSpotNames = {"GRS", "Great Red Spot", "大赤斑", "大赤斑"};

struct KindNames {
    const char* word;      // "shadow": the companion's --kinds and CSV
    const char* listWord;  // "shadow": the kind column of a list of every kind
    const char* phrase;    // "shadow transit": the companion's text lines
    const char* japanese;  // "影の経過"
};

// The satellites' events with Jupiter in the order of EventKind, then the
// events of two satellites in the order of MutualKind, then the spot's transit.
inline constexpr KindNames kKindNames[7] = {
    {"transit", "transit", "transit", "経過"},
    {"shadow", "shadow", "shadow transit", "影の経過"},
    {"occultation", "occultation", "occultation", "掩蔽"},
    {"eclipse", "eclipse", "eclipse", "食"},
    {"occultation", "mutual-occultation", "occults", "相互掩蔽"},
    {"eclipse", "mutual-eclipse", "eclipses", "相互食"},
    {"grs-transit", "grs-transit", "transit", "大赤斑の子午線通過"},
};
inline constexpr int kFirstMutualKind = 4;
inline constexpr int kSpotKind = 6;

constexpr const KindNames& NamesOf(EventKind k) { return kKindNames[static_cast<int>(k)]; }
constexpr const KindNames& NamesOf(MutualKind k) { return kKindNames[kFirstMutualKind + static_cast<int>(k)]; }

struct EdgeNames {
    const char* word;      // "start": the companion's CSV
    const char* phrase;    // " starts": the companion's text lines
    const char* japanese;  // "始め"
};

// A satellite's start and end, in the order of EventEdge, then the maximum of
// an event of two satellites or the moment of a spot's transit.
inline constexpr EdgeNames kEdgeNames[3] = {
    {"start", " starts", "始め"},
    {"end", " ends", "終わり"},
    {"max", "", "極大"},
};
inline constexpr int kMaximumEdge = 2;

constexpr const EdgeNames& NamesOf(EventEdge e) { return kEdgeNames[static_cast<int>(e)]; }

}  // namespace veltrax
