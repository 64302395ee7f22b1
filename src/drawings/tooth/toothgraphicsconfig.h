#pragma once
// The settings menu of the tooth drawings ("Config" of the tooth drawing
// menu): how finely outlines are generated, root curve on or off, lines or
// one polyline per involute, how many tool or pinion positions the envelope
// pictures use, the drawing's generating addendum modification (nominal,
// from the backlash limits, or entered), the drawing's centre distance and
// whether auxiliary diameters are drawn.
//
// Names of the settings in the pair data: GraphXe is x_pic,
// GraphXeToothShape xv_pic, GraphCentreDistance a_pic, AuxDiameterMode
// DrawingConfiguration.
//
// Every question goes through the graphics layer's prompt hooks, so tests
// script the answers. Cancel in the main menu clears Aborted and leaves;
// Cancel inside an item leaves at once with Aborted set. Only "return"
// recomputes the drawing radii (confgraf on x_pic).

void ConfigureToothGraphics();
