#pragma once
// HP-GL pictures of the picture directory shown in the main window: the
// start-up picture and the auxiliary images.

#include <string>

// Shows PltDir + the lower-case name + ".plt" as a new picture in the world
// window 0..160 x 0..120 mm and marks the window's content as an auxiliary
// image for the graphics printout.
void ShowPltPicture(const std::string& name);
