#include "font.h"

#include "error.h"
#include "twips.h"

namespace win32 {

GdiObject MakeFont(const wchar_t* face, int hundredthsOfPoint, int dpiY, FontStyle style) {
    LOGFONTW font{};
    font.lfHeight = FontHeight(hundredthsOfPoint, dpiY);
    font.lfWeight = style.bold ? FW_BOLD : FW_NORMAL;
    font.lfUnderline = style.underline;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    ::lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    GdiObject handle(::CreateFontIndirectW(&font));
    if (!handle) ThrowLastError(face);
    return handle;
}

}  // namespace win32
