// SPDX-License-Identifier: GPL-3.0-or-later
// The names both programs give the satellites and the kinds of row, the
// companion's English beside the window's Japanese and the window's English.
// The plan's cells and both programs' calendar files take their words from
// here in either language, so the companion, which has no Qt, writes the same
// English as the window.
#pragma once

#include "engine/events.h"
#include "engine/mutual.h"
#include "results/language.h"

namespace veltrax {

struct BodyNames {
    const char* numeral;   // "I": the companion's --moons and CSV
    const char* english;   // "Io": the companion's text lines
    const char* window;    // "Ⅰ イオ": the dialog's satellite column
    const char* japanese;  // "イオ": calendars and the events of two satellites
    const char* windowEnglish;  // "I Io": the dialog's satellite column in English
};

// Satellites I to IV (index 0 for Io).
inline constexpr BodyNames kSatelliteNames[4] = {
    {"I", "Io", "Ⅰ イオ", "イオ", "I Io"},
    {"II", "Europa", "Ⅱ エウロパ", "エウロパ", "II Europa"},
    {"III", "Ganymede", "Ⅲ ガニメデ", "ガニメデ", "III Ganymede"},
    {"IV", "Callisto", "Ⅳ カリスト", "カリスト", "IV Callisto"},
};

// The Great Red Spot where a satellite would stand.
inline constexpr BodyNames kSpotNames = {"GRS", "Great Red Spot", "大赤斑", "大赤斑", "Great Red Spot"};

struct KindNames {
    const char* word;      // "shadow": the companion's --kinds and CSV
    const char* listWord;  // "shadow": the kind column of a list of every kind
    const char* phrase;    // "shadow transit": the companion's text lines
    const char* japanese;  // "影の経過"
    const char* windowEnglish;  // "shadow transit": the dialog and calendars in English
};

// The satellites' events with Jupiter in the order of EventKind, then the
// events of two satellites in the order of MutualKind, then the spot's transit.
inline constexpr KindNames kKindNames[7] = {
    {"transit", "transit", "transit", "経過", "transit"},
    {"shadow", "shadow", "shadow transit", "影の経過", "shadow transit"},
    {"occultation", "occultation", "occultation", "掩蔽", "occultation"},
    {"eclipse", "eclipse", "eclipse", "食", "eclipse"},
    {"occultation", "mutual-occultation", "occults", "相互掩蔽", "mutual occultation"},
    {"eclipse", "mutual-eclipse", "eclipses", "相互食", "mutual eclipse"},
    {"grs-transit", "grs-transit", "transit", "大赤斑の子午線通過", "Great Red Spot transit"},
};
inline constexpr int kFirstMutualKind = 4;
inline constexpr int kSpotKind = 6;

constexpr const KindNames& NamesOf(EventKind k) { return kKindNames[static_cast<int>(k)]; }
constexpr const KindNames& NamesOf(MutualKind k) { return kKindNames[kFirstMutualKind + static_cast<int>(k)]; }

struct EdgeNames {
    const char* word;      // "start": the companion's CSV
    const char* phrase;    // " starts": the companion's text lines
    const char* japanese;  // "始め"
    const char* windowEnglish;  // "start": the dialog in English
};

// A satellite's start and end, in the order of EventEdge, then the maximum of
// an event of two satellites or the moment of a spot's transit.
inline constexpr EdgeNames kEdgeNames[3] = {
    {"start", " starts", "始め", "start"},
    {"end", " ends", "終わり", "end"},
    {"max", "", "極大", "maximum"},
};
inline constexpr int kMaximumEdge = 2;

constexpr const EdgeNames& NamesOf(EventEdge e) { return kEdgeNames[static_cast<int>(e)]; }

// A name in the window's language: the dialog's and the calendars' words.
template <typename Names>
constexpr const char* WindowWord(const Names& n, Language l)
{
    return l == Language::English ? n.windowEnglish : n.japanese;
}
constexpr const char* SatelliteColumn(int moon, Language l)
{
    return l == Language::English ? kSatelliteNames[moon].windowEnglish : kSatelliteNames[moon].window;
}
// A satellite's short name beside another's: "イオ" or "Io".
constexpr const char* SatelliteWord(int moon, Language l)
{
    return l == Language::English ? kSatelliteNames[moon].english : kSatelliteNames[moon].japanese;
}

// The words the plan's cells and the calendars put around the names.
struct PlanPhrases {
    const char* satelliteKind;    // "%s%s": the satellite's and the kind's words ("イオの経過", "Io transit")
    const char* mutualDrop;       // " 減光%d%%": the share of the passive satellite's light taken
    const char* spotLongitude;    // the spot's longitude in the dialog
    const char* spotDescription;  // the spot's longitude in a calendar
    const char* maximumAt;        // "%s、%s %s JST": a mutual event's summary, the maximum's word and its JST
    const char* underWay;         // after the edge of an event under way when the range starts
};
inline constexpr PlanPhrases kJapanesePhrases = {"%sの%s", " 減光%d%%", "経度 %05.1f°", "大赤斑の経度 %.1f°（System II）",
                                                 "%s、%s %s JST", "（進行中）"};
inline constexpr PlanPhrases kEnglishPhrases = {"%s %s", " drop %d%%", "longitude %05.1f°",
                                                "Great Red Spot longitude %.1f° (System II)", "%s, %s %s JST", " (under way)"};
constexpr const PlanPhrases& PhrasesOf(Language l)
{
    return l == Language::English ? kEnglishPhrases : kJapanesePhrases;
}

}  // namespace veltrax
