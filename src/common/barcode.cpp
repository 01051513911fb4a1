#include "common/barcode.h"

#include <zint.h>

#include <cmath>
#include <memory>

namespace barcode {

Symbol code128(const QString& text)
{
    Symbol result;
    const QByteArray data = text.toLatin1();
    if (text.isEmpty() || QString::fromLatin1(data) != text) {
        result.error = QStringLiteral("条形码“%1”不能用 Code 128 表示").arg(text);
        return result;
    }
    std::unique_ptr<zint_symbol, void (*)(zint_symbol*)> z(ZBarcode_Create(), ZBarcode_Delete);
    z->symbology = BARCODE_CODE128;
    z->input_mode = DATA_MODE;
    z->show_hrt = 0;
    if (ZBarcode_Encode(z.get(), reinterpret_cast<const unsigned char*>(data.constData()), int(data.size())) >= ZINT_ERROR ||
        ZBarcode_Buffer_Vector(z.get(), 0) >= ZINT_ERROR || !z->vector || z->width <= 0) {
        result.error = QString::fromLatin1(z->errtxt);
        return result;
    }
    // The vector output is in its own units: the symbol's width over its modules gives one module.
    const double unit = double(z->vector->width) / z->width;
    for (const zint_vector_rect* r = z->vector->rectangles; r; r = r->next)
        result.bars.append({int(std::lround(r->x / unit)), int(std::lround(r->width / unit))});
    result.modules = z->width;
    return result;
}

double moduleWidth(int modulesWithQuietZones, double fieldMm, double preferredMm, double dotsPerMm)
{
    double module = std::min(preferredMm, fieldMm / std::max(1, modulesWithQuietZones));
    if (dotsPerMm > 0) {
        module = std::floor(module * dotsPerMm + 1e-9) / dotsPerMm;
        if (module < kMinModuleMm)
            module = std::ceil(kMinModuleMm * dotsPerMm - 1e-6) / dotsPerMm;
        return module;
    }
    return module < kMinModuleMm ? kPortableModuleMm : module;
}

}  // namespace barcode
