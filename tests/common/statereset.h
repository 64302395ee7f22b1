#pragma once
// The start-up state of every library the test program links. The listener
// of statereset.cpp runs it around each test; a test that starts over in
// its middle (a second run of its SetUp) runs it first.

void ResetProgramState();
