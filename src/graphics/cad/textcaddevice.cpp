#include "graphics/cad/textcaddevice.h"

#include "foundation/programsettings.h"
#include "graphics/cadsettings.h"
#include "graphics/writers/dxfwriter.h"

void TCadTextCadDevice::SetLayer(int N)
{
    TDxfOptions o;
    o.LayerMode = cadstate.CadLayerMode;
    o.LayerNames = cadsettings.LayerNames;
    cadstate.CadLayerName = DxfLayerName(N, o);
}

TTextCadOptions TextCadOptionsFromSettings()
{
    TTextCadOptions o;
    o.Decimals = cadsettings.DxfDecimals;
    o.DecimalComma = wtelmvar.DecimalPointMode == 2;
    return o;
}
