#pragma once
// The tooth contact of the loaded pair: three teeth of gear 1 (block
// "EVOLV1" about the origin) and four of gear 2 ("EVOLV2" about (0, a_pic))
// in mesh at a rotation of gear 1, optionally in a frame with the data box,
// the labelled diameters and the path of contact with its points A to E.
// The tooth contact picture, every frame of the meshing animation and the
// picture of the calculation sheets are this one drawing; the caller has
// defined both blocks and run confgraf for the drawing's profile shifts.
//
// The window: x from -W to W, y from B (below the mesh, inside gear 1) to
// T (above it, inside gear 2 or the ring).

#include "foundation/types.h"

Extended MeshPictureHalfWidth();
Extended MeshPictureBottom();
// Measured from gear 2's centre like B is from gear 1's: the window ends
// 1.2 y2 inside gear 2's tip circle whatever the centre distance.
Extended MeshPictureTop();
// The frame the picture is drawn in: the window above, widened on each
// side where a contact point's mark or letter or a diameter's label would
// stand beyond it. The tooth contact, the animation and the calculation
// sheets lay out their windows from it.
struct TMeshPictureFrame {
    Extended W = 0, B = 0, T = 0;
};
TMeshPictureFrame MeshPictureFrame();
// The same frame moved out further where a tooth of the picture drawn at
// the rotation Phi1 (degrees) of gear 1 would stand out of it: for a
// drawing whose edge does not cut the picture at its frame (the
// calculation sheets).
TMeshPictureFrame MeshPictureFrameHoldingTheTeeth(Extended Phi1);

// Where the line of action crosses the base circle tangents and the points
// of the path of contact, in the picture (gear 1 at the origin).
struct TMeshContactPoints {
    Extended T1x = 0, T1y = 0; // tangent point on base circle 1
    Extended T2x = 0, T2y = 0; // tangent point on base circle 2
    Extended Cx = 0, Cy = 0;   // pitch point
    Extended Ax = 0, Ay = 0;   // start of contact (gear 2's tip circle)
    Extended Ex = 0, Ey = 0;   // end of contact (gear 1's tip circle)
    Extended Bx = 0, By = 0;   // inner single contact points, a base pitch
    Extended Dx = 0, Dy = 0;   // from E and A
    bool HasSingleContact = false;
    bool Valid = false;
};
TMeshContactPoints MeshContactPoints();

// Phi1: rotation of gear 1, degrees. Nothing for a pair with a tooth
// number 0.
void DrawMeshPicture(bool WithText, Extended W, Extended B, Extended T, Extended Phi1);
// What DrawMeshPicture draws with the text besides the wheels: the frame,
// the data box (Phi1 its angle), the diameters and the path of contact.
void DrawMeshPictureFrame(Extended W, Extended B, Extended T, Extended Phi1);
