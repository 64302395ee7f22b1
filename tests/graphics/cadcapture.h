#pragma once
// Drawings of the CAD helpers (dimensions, hatching, tables) captured as the
// DXF output writes them: each entity of the ENTITIES section with its type,
// layer name and group values, read by a small group-code parser of its own.

#include "cadtestsupport.h"

#include "foundation/types.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

struct TCapturedEntity {
    std::string Type;
    std::string Layer;
    std::vector<std::pair<int, std::string>> Groups;

    // The Nth value (0 first) of a group code as a number; NaN when absent.
    Extended Num(int Code, int Nth = 0) const;
    // The first value of a group code; "" when absent.
    std::string Text(int Code) const;
};

struct TCapturedSegment {
    Extended X1, Y1, X2, Y2;
};

// The entities of the ENTITIES section of DXF bytes (VERTEX and SEQEND
// included, as the file has them).
std::vector<TCapturedEntity> ParseDxfEntities(const std::string& Bytes);

class CadCaptureTest : public CadTest
{
  protected:
    void SetUp() override;

    // Draws into a DXF file (tables with the named layers and the pens
    // 16..31) and returns its bytes.
    std::string DrawDxf(const std::function<void()>& Entities, const std::string& Name = "capture");
    std::vector<TCapturedEntity> Capture(const std::function<void()>& Entities)
    {
        return ParseDxfEntities(DrawDxf(Entities));
    }
    // The LINE entities of a layer as segments.
    static std::vector<TCapturedSegment> Lines(const std::vector<TCapturedEntity>& E,
                                               const std::string& Layer);
    static std::vector<TCapturedEntity> OfType(const std::vector<TCapturedEntity>& E,
                                               const std::string& Type);
    // The lines the screen was given, in order.
    std::vector<TCapturedSegment> ScreenLines() const;
    // Whether the message list holds Text.
    static bool HasMessage(const std::string& Text);
};
