#pragma once
// Shared by the menu benchmarks with and without the toolkit.

// A fresh program state with the menus built in English.
void MenusReady();
