#pragma once
// One output interface for every CAD device, with defaults in the base
// class: a device that cannot draw an arc or a circle gets chords, one that
// cannot fill a solid gets its outline, and one without polylines is fed
// lines and arcs by the CAD layer. Each format overrides what it can write;
// the CAD layer hands over final coordinates (offsets and block transforms
// applied) and keeps the order of the calls.
//
// Devices: the DXF writer (files, the plot program's file and the block
// files of the screen and STL outputs) and the screen. The IGES, text CAD
// and STL writers register a factory for their device code.

#include "foundation/types.h"
#include "graphics/cadsettings.h"
#include "graphics/writers/dxfwriter.h"

#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>

class TCadScreen;

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
    // Default: the outline 1-2-4-3.
    virtual void Solid(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended X3, Extended Y3, Extended X4,
                       Extended Y4);
    virtual void Text(const std::string& /*Text*/, Extended /*X*/, Extended /*Y*/, const TDxfTextStyle&) {}
    virtual void Insert(const std::string& /*Name*/, Extended, Extended, Extended /*Angle*/, Extended, Extended) {}

    // Polylines written as one entity (else the CAD layer breaks them up).
    virtual bool HasPolylines() const { return false; }
    virtual void BeginPolyline(uint8_t /*Flags*/) {}
    // Bulge = tan(included angle / 4).
    virtual void Vertex(Extended /*X*/, Extended /*Y*/, Extended /*Bulge*/) {}
    virtual void EndPolyline() {}

    // End of the output; the file itself is put in place by the CAD layer.
    virtual void Finish() {}
};

// DXF entities into a stream. The layer table lists the layers the
// entities use, which are known only at the end: everything after the
// header is kept in memory and the file is written by Finish.
class TCadDxfDevice : public TCadDevice
{
  public:
    TCadDxfDevice(std::ostream& Out, const TDxfOptions& Options, bool Polylines)
        : out_(Out), writer_(body_, Options), polylines_(Polylines)
    {
    }
    TDxfWriter& Writer() { return writer_; }

    void BeginDrawing(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended) override
    {
        writer_.Header(X1, Y1, X2, Y2);
    }
    void Tables(int Mode) override;
    void BeginBlocksSection() override { writer_.BeginBlocksSection(); }
    void BeginBlock(const std::string& Name) override { writer_.BeginBlock(Name); }
    void EndBlock() override { writer_.EndBlock(); }
    void EndSection() override { writer_.EndSection(); }
    void BeginEntities() override { writer_.BeginEntities(); }
    void SetLayer(int N) override;
    void Line(Extended X1, Extended Y1, Extended X2, Extended Y2) override { writer_.Line(X1, Y1, X2, Y2); }
    void Circle(Extended X, Extended Y, Extended R) override { writer_.Circle(X, Y, R); }
    void Arc(Extended X, Extended Y, Extended Start, Extended End, Extended R) override
    {
        writer_.Arc(X, Y, Start, End, R);
    }
    void Solid(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended X3, Extended Y3, Extended X4,
               Extended Y4) override
    {
        writer_.Solid(X1, Y1, X2, Y2, X3, Y3, X4, Y4);
    }
    void Text(const std::string& Text, Extended X, Extended Y, const TDxfTextStyle& Style) override
    {
        writer_.Text(Text, X, Y, Style);
    }
    void Insert(const std::string& Name, Extended X, Extended Y, Extended Angle, Extended SX, Extended SY) override
    {
        writer_.Insert(Name, X, Y, Angle, SX, SY);
    }
    bool HasPolylines() const override { return polylines_; }
    void BeginPolyline(uint8_t Flags) override { writer_.BeginPolyline(Flags); }
    void Vertex(Extended X, Extended Y, Extended Bulge) override { writer_.Vertex(X, Y, Bulge); }
    void EndPolyline() override { writer_.SeqEnd(); }
    void Finish() override;

  private:
    std::ostream& out_;
    std::ostringstream body_;
    TDxfWriter writer_;
    bool polylines_;
    // Mode of the tables to write at the end; -1 for none (block files).
    int tablesMode_ = -1;
};

// The graphics window through its drawing facade: the current layer becomes
// the pen (line style, colour, width).
class TCadScreenDevice : public TCadDevice
{
  public:
    explicit TCadScreenDevice(TCadScreen& Screen) : screen_(Screen) {}

    void BeginDrawing(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended) override;
    void BeginEntities() override;
    void SetLayer(int N) override;
    void SetLineStyle(int Style) override;
    void SetTextStyle(int N, Extended Angle, Extended Height, Extended Width) override;
    void Pause(int Ms) override;
    void Line(Extended X1, Extended Y1, Extended X2, Extended Y2) override;
    void Circle(Extended X, Extended Y, Extended R) override;
    void Arc(Extended X, Extended Y, Extended Start, Extended End, Extended R) override;
    // Polygon order 1, 2, 4, 3 of the DXF corners.
    void Solid(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended X3, Extended Y3, Extended X4,
               Extended Y4) override;
    void Text(const std::string& Text, Extended X, Extended Y, const TDxfTextStyle& Style) override;
    void Finish() override;

  private:
    TCadScreen& screen_;
    // Pen last set from a layer: block files set the layer before every
    // entity, and the same pen again would only lengthen the display list.
    int penLayer_ = -1;
    int32_t penMode_ = -1;
};

// The writer of a device code that has one (IGES 2, text CAD 5, STL 6),
// made on the output's stream; CadOpenOutput refuses a code without one.
using TCadDeviceFactory = std::function<std::unique_ptr<TCadDevice>(std::ostream& Out)>;
void RegisterCadDeviceFactory(int DeviceCode, TCadDeviceFactory Factory);
const TCadDeviceFactory* FindCadDeviceFactory(int DeviceCode);

struct TCadDeviceRegistry {
    std::map<int, TCadDeviceFactory> Factories;
};

extern TCadDeviceRegistry caddeviceregistry;

// No device code has a writer (the writers register theirs again).
void ResetCadDeviceRegistry();

// The DXF options from the program-wide settings and the current layer mode.
TDxfOptions DxfOptionsFromSettings(bool ConvertTexts);
