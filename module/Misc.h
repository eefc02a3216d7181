#pragma once

// Unit Misc: the device's object tables and its 78 global option lists.

#include "library/HvOptionList.h"
#include "library/MibObjectDef.h"

using MibOptionPair = HvOptionNumPair;

inline constexpr int kMibOptionListCount = 78;
inline constexpr int kMibTableCount = 118;

// L1..L78 in slot 0..77: null before InitMibOptionLists and after FreeMibOptionLists. Records refer
// to a list through its slot (&MibOptionLists[n-1]); a variable list that copies a record whose slot
// is still null raises HvException.
extern HvOptionList* MibOptionLists[kMibOptionListCount];

// Builds L1..L78 in order, each kind 1 (numeric) with case flag 0 (texts compared ignoring case).
// Call once at start, before the main window; a second call while the lists exist does nothing.
void InitMibOptionLists();
// Deletes the lists in reverse order and empties the slots. Call only after every request, probe and
// page that holds a list pointer is gone.
void FreeMibOptionLists();

// The source pairs of list Ln (1..78), ended by a pair whose text is null; nullptr for any other n.
// Needs no built lists (the simulator reads the enumerations from here).
const MibOptionPair* MibOptionListSource(int n);

// The tables T1..T118, each ended by an all-null record.
extern const MibObjectDef kMibT001[], kMibT002[], kMibT003[], kMibT004[];
extern const MibObjectDef kMibT005[], kMibT006[], kMibT007[], kMibT008[];
extern const MibObjectDef kMibT009[], kMibT010[], kMibT011[], kMibT012[];
extern const MibObjectDef kMibT013[], kMibT014[], kMibT015[], kMibT016[];
extern const MibObjectDef kMibT017[], kMibT018[], kMibT019[], kMibT020[];
extern const MibObjectDef kMibT021[], kMibT022[], kMibT023[], kMibT024[];
extern const MibObjectDef kMibT025[], kMibT026[], kMibT027[], kMibT028[];
extern const MibObjectDef kMibT029[], kMibT030[], kMibT031[], kMibT032[];
extern const MibObjectDef kMibT033[], kMibT034[], kMibT035[], kMibT036[];
extern const MibObjectDef kMibT037[], kMibT038[], kMibT039[], kMibT040[];
extern const MibObjectDef kMibT041[], kMibT042[], kMibT043[], kMibT044[];
extern const MibObjectDef kMibT045[], kMibT046[], kMibT047[], kMibT048[];
extern const MibObjectDef kMibT049[], kMibT050[], kMibT051[], kMibT052[];
extern const MibObjectDef kMibT053[], kMibT054[], kMibT055[], kMibT056[];
extern const MibObjectDef kMibT057[], kMibT058[], kMibT059[], kMibT060[];
extern const MibObjectDef kMibT061[], kMibT062[], kMibT063[], kMibT064[];
extern const MibObjectDef kMibT065[], kMibT066[], kMibT067[], kMibT068[];
extern const MibObjectDef kMibT069[], kMibT070[], kMibT071[], kMibT072[];
extern const MibObjectDef kMibT073[], kMibT074[], kMibT075[], kMibT076[];
extern const MibObjectDef kMibT077[], kMibT078[], kMibT079[], kMibT080[];
extern const MibObjectDef kMibT081[], kMibT082[], kMibT083[], kMibT084[];
extern const MibObjectDef kMibT085[], kMibT086[], kMibT087[], kMibT088[];
extern const MibObjectDef kMibT089[], kMibT090[], kMibT091[], kMibT092[];
extern const MibObjectDef kMibT093[], kMibT094[], kMibT095[], kMibT096[];
extern const MibObjectDef kMibT097[], kMibT098[], kMibT099[], kMibT100[];
extern const MibObjectDef kMibT101[], kMibT102[], kMibT103[], kMibT104[];
extern const MibObjectDef kMibT105[], kMibT106[], kMibT107[], kMibT108[];
extern const MibObjectDef kMibT109[], kMibT110[], kMibT111[], kMibT112[];
extern const MibObjectDef kMibT113[], kMibT114[], kMibT115[], kMibT116[];
extern const MibObjectDef kMibT117[], kMibT118[];

// Every table by its T-number, in order: kMibTables[n-1] is {n, kMibTnnn}.
struct MibTableEntry {
    int number;
    const MibObjectDef* table;
};
extern const MibTableEntry kMibTables[kMibTableCount];
