#pragma once

#include <cstdint>

class HvOptionList;

// One static record per device object. A table is a run of records ended by one whose oid is null.
// The option list is referenced through its global slot, because the lists are built at run time
// after the static tables exist; the slot is read when a variable list copies the record.
struct MibObjectDef {
    const char* oid = nullptr;  // dotted, no leading dot; " " for a row-index key
    const char* name = nullptr;
    uint32_t syntax = 0;
    uint32_t access = 0;
    HvOptionList* const* optionList = nullptr;
    const char* readFormula = nullptr;
    const char* writeFormula = nullptr;
    const char* thirdText = nullptr;
    const char* value = nullptr;
    const char* lastOid = nullptr;
};
