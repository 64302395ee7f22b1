#pragma once
// Shared by the display-list benchmarks with and without the toolkit.

inline constexpr int kRecords = 100000;

// Records a picture of n short lines in a few colours over a 1280 x 960 area.
void RecordPicture(int n);
