#include "platform/win32/Win32Wallpaper.h"

#include "platform/win32/WideText.h"
#include "toolkit/core/Exceptions.h"
#include "toolkit/core/HexText.h"

#include <windows.h>
#include <objbase.h>
#include <wininet.h> // the shell declares IActiveDesktop only after the Internet headers
#include <shlobj.h>

namespace {

// Spelled out here rather than taken from the uuid library, so that the program links the same
// with every MinGW release.
const CLSID kActiveDesktopClass = {0x75048700, 0xEF1F, 0x11D0, {0x98, 0x88, 0x00, 0x60, 0x97, 0xDE, 0xAC, 0xF9}};
const IID kActiveDesktopInterface = {0xF490EB00, 0x1240, 0x11D1, {0x98, 0x88, 0x00, 0x60, 0x97, 0xDE, 0xAC, 0xF9}};
const IID kUnknownInterface = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

class ActiveDesktop final : public WallpaperService {
public:
    explicit ActiveDesktop(IActiveDesktop* desktop) : desktop_(desktop) {}
    ~ActiveDesktop() override { desktop_->Release(); }
    ActiveDesktop(const ActiveDesktop&) = delete;
    ActiveDesktop& operator=(const ActiveDesktop&) = delete;

    int32_t SetWallpaper(const std::string& pageFile) override
    {
        return desktop_->SetWallpaper(ToWide(pageFile).c_str(), 0);
    }
    int32_t ApplyChanges(uint32_t flags) override { return desktop_->ApplyChanges(flags); }

private:
    IActiveDesktop* desktop_;
};

} // namespace

std::string SystemErrorText(int32_t code)
{
    wchar_t* buffer = nullptr;
    DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&buffer), 0,
                                  nullptr);
    std::wstring text(buffer ? buffer : L"", length);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
        text.pop_back();
    if (!text.empty())
        return FromWide(text);
    // Codes of other components have no text in the system's message table.
    std::string fallback = "OLE 错误 ";
    AppendHex(fallback, static_cast<uint32_t>(code), 8);
    return fallback;
}

std::unique_ptr<WallpaperService> StartActiveDesktop()
{
    IUnknown* unknown = nullptr;
    HRESULT result = CoCreateInstance(kActiveDesktopClass, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                      kUnknownInterface, reinterpret_cast<void**>(&unknown));
    if (FAILED(result) || !unknown)
        throw Exception(SystemErrorText(result));
    IActiveDesktop* desktop = nullptr;
    result = unknown->QueryInterface(kActiveDesktopInterface, reinterpret_cast<void**>(&desktop));
    unknown->Release();
    if (FAILED(result) || !desktop)
        throw Exception("不支持的接口");
    return std::make_unique<ActiveDesktop>(desktop);
}
