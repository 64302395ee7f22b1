#pragma once
// S-N line constants of the life material ("qyrlife.dbf" row): load cycles at
// the upper and lower corner and the exponent, for tooth root and pitting.
// The load-spectrum life calculation reads them; reports print them.

#include <cstdint>
#include <string>

struct QYRLIFE_Record {
    std::string LW;     // material class
    int32_t N0F = 1000; // tooth root, upper corner
    int32_t NnF = 3000000;
    double pF = 8.7;
    int32_t N0H = 100000; // pitting, upper corner
    int32_t NnH = 50000000;
    double pH = 8.7;

    friend bool operator==(const QYRLIFE_Record&, const QYRLIFE_Record&) = default;
};

// The life material in use.
extern QYRLIFE_Record LifeParams;
void ResetLifeParams();
