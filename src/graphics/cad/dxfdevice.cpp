#include "graphics/cad/dxfdevice.h"

#include "graphics/cadsettings.h"

void TCadDxfDevice::Tables(int Mode)
{
    // The header so far goes out now; the tables follow at the end.
    out_ << body_.view();
    body_.str("");
    tablesMode_ = Mode;
}

void TCadDxfDevice::Finish()
{
    writer_.EndOfFile();
    if (tablesMode_ >= 0) TDxfWriter(out_, writer_.Options()).Tables(tablesMode_, writer_.UsedLayers());
    out_ << body_.view();
    body_.str("");
}

void TCadDxfDevice::SetLayer(int N)
{
    writer_.SetLayerMode(cadstate.CadLayerMode);
    writer_.SetLayer(N);
    cadstate.CadLayerName = writer_.LayerName();
}

TDxfOptions DxfOptionsFromSettings(bool ConvertTexts)
{
    TDxfOptions o;
    o.Decimals = cadsettings.DxfDecimals;
    o.LayerMode = cadstate.CadLayerMode;
    o.LayerNames = cadsettings.LayerNames;
    o.LayerColours = cadsettings.LayerColours;
    o.LayerColours16 = cadsettings.LayerColours16;
    o.Monochrome = cadsettings.LayerMonochrome;
    o.TextFont = cadsettings.CadTextFont;
    o.ConvertTexts = ConvertTexts;
    return o;
}
