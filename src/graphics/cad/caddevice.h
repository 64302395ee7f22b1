#pragma once
// One output interface for every CAD device, with defaults in the base
// class: a device that cannot draw an arc or a circle gets chords, one that
// cannot fill a solid gets its outline, and one without polylines is fed
// lines and arcs by the CAD layer. Each format overrides what it can write;
// the CAD layer hands over final coordinates (offsets and block transforms
// applied) and keeps the order of the calls.
//
// The devices, one file each: dxfdevice.h (files, the plot program's file
// and the block files of the screen and STL outputs), screendevice.h,
// igesdevice.h, textcaddevice.h and stldevice.h. The writers of IGES, text
// CAD and STL are found by their device code (caddeviceregistry.h).

#include "foundation/types.h"
#include "graphics/cadtextstyle.h"

#include <cstdint>
#include <string>

class TCadDevice
{
  public:
    virtual ~TCadDevice() = default;

    virtual void BeginDrawing(Extended, Extended, Extended, Extended, Extended /*Height*/) {}
    virtual void Tables(int /*Mode*/) {}
    virtual void BeginBlocksSection() {}
    virtual void BeginBlock(const std::string& /*Name*/) {}
    virtual void EndBlock() {}
    virtual void EndSection() {}
    virtual void BeginEntities() {}
    virtual void SetLayer(int /*N*/) {}
    virtual void SetLineStyle(int /*Style*/) {}
    virtual void SetTextStyle(int /*N*/, Extended /*Angle*/, Extended /*Height*/, Extended /*Width*/) {}
    virtual void Pause(int /*Ms*/) {}

    virtual void Line(Extended X1, Extended Y1, Extended X2, Extended Y2) = 0;
    // Defaults: chords of CadArcResolution length.
    virtual void Circle(Extended X, Extended Y, Extended R);
    virtual void Arc(Extended X, Extended Y, Extended Start, Extended End, Extended R);
    // A filled disc where the device has one (STL), else the circle.
    virtual void FilledCircle(Extended X, Extended Y, Extended R) { Circle(X, Y, R); }
    // The frame of a drawing sheet. Default: the lines (X1, Y1) to (X1, Y2) to
    // (X2, Y2) to (X2, Y1) and back.
    virtual void SheetFrame(Extended X1, Extended Y1, Extended X2, Extended Y2);
    // Default: the outline 1-2-4-3.
    virtual void Solid(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended X3, Extended Y3,
                       Extended X4, Extended Y4);
    virtual void Text(const std::string& /*Text*/, Extended /*X*/, Extended /*Y*/, const TCadTextStyle&) {}
    virtual void Insert(const std::string& /*Name*/, Extended, Extended, Extended /*Angle*/, Extended,
                        Extended)
    {
    }

    // Polylines written as one entity (else the CAD layer breaks them up).
    virtual bool HasPolylines() const { return false; }
    virtual void BeginPolyline(uint8_t /*Flags*/) {}
    // Bulge = tan(included angle / 4).
    virtual void Vertex(Extended /*X*/, Extended /*Y*/, Extended /*Bulge*/) {}
    virtual void EndPolyline() {}

    // End of the output; the file itself is put in place by the CAD layer.
    virtual void Finish() {}
};
