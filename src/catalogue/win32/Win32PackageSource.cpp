#include "catalogue/win32/Win32PackageSource.h"

#include "platform/win32/WideString.h"

#include <windows.h>
#include <objidl.h>
#include <shlwapi.h>
#include <xmllite.h>

#include <vector>

namespace kestrova {

namespace {

// Manifest namespaces whose elements hold the menu's verbs.
constexpr const wchar_t* kDesktop5Namespace = L"http://schemas.microsoft.com/appx/manifest/desktop/windows10/5";
constexpr const wchar_t* kContextMenuCategory = L"windows.fileExplorerContextMenus";

// Bounds on what one manifest may make the list hold.
constexpr std::size_t kMaxDepth = 64;
constexpr std::size_t kMaxVerbs = 256;
constexpr std::size_t kMaxTextChars = 1024;

template <typename Function>
Function SystemFunction(const wchar_t* dll, const char* name)
{
    HMODULE module = LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return module ? reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name))) : nullptr;
}

template <typename Interface>
class ComPointer {
public:
    ComPointer() = default;
    ComPointer(const ComPointer&) = delete;
    ComPointer& operator=(const ComPointer&) = delete;
    ~ComPointer()
    {
        if (pointer_)
            pointer_->Release();
    }
    Interface* operator->() const { return pointer_; }
    Interface& operator*() const { return *pointer_; }
    Interface* Get() const { return pointer_; }
    Interface** Out() { return &pointer_; }

private:
    Interface* pointer_ = nullptr;
};

// The current attribute `name` (no namespace) of the reader's element; none when absent
// or too long. The reader stays on its element.
std::optional<std::wstring> Attribute(IXmlReader& reader, const wchar_t* name)
{
    std::optional<std::wstring> value;
    if (reader.MoveToAttributeByName(name, nullptr) == S_OK) {
        const wchar_t* text = nullptr;
        UINT length = 0;
        if (SUCCEEDED(reader.GetValue(&text, &length)) && text && length <= kMaxTextChars)
            value = std::wstring(text, length);
    }
    reader.MoveToElement();
    return value;
}

struct Element {
    std::wstring localName;
    std::wstring namespaceUri;
    bool contextMenuExtension = false;  // an Extension of the File Explorer context-menu category
    std::wstring itemType;              // a desktop5:ItemType's Type
};

}  // namespace

std::optional<PackageManifest> ParseManifest(std::string_view bytes)
{
    using CreateReader = HRESULT(WINAPI*)(REFIID, void**, IMalloc*);
    static const CreateReader createReader = SystemFunction<CreateReader>(L"xmllite.dll", "CreateXmlReader");
    if (!createReader || bytes.size() > kMaxManifestBytes)
        return std::nullopt;
    ComPointer<IStream> stream;
    *stream.Out() = SHCreateMemStream(reinterpret_cast<const BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
    ComPointer<IXmlReader> reader;
    if (!stream.Get() || FAILED(createReader(__uuidof(IXmlReader), reinterpret_cast<void**>(reader.Out()), nullptr)))
        return std::nullopt;
    // No DTD, so no entity of any kind, internal or external, is ever expanded.
    if (FAILED(reader->SetProperty(XmlReaderProperty_DtdProcessing, DtdProcessing_Prohibit)) ||
        FAILED(reader->SetProperty(XmlReaderProperty_MaxElementDepth, kMaxDepth)) ||
        FAILED(reader->SetInput(stream.Get())))
        return std::nullopt;

    PackageManifest manifest;
    std::vector<Element> open;
    bool inDisplayName = false;
    bool packageRoot = false;
    XmlNodeType type = XmlNodeType_None;
    HRESULT result = S_OK;
    while ((result = reader->Read(&type)) == S_OK) {
        if (type == XmlNodeType_Element) {
            const wchar_t* localName = nullptr;
            const wchar_t* namespaceUri = nullptr;
            if (FAILED(reader->GetLocalName(&localName, nullptr)) || FAILED(reader->GetNamespaceUri(&namespaceUri, nullptr)))
                return std::nullopt;
            Element element{localName ? localName : L"", namespaceUri ? namespaceUri : L"", false, {}};
            if (open.empty()) {
                if (packageRoot || element.localName != L"Package")
                    return std::nullopt;  // a manifest has one root, Package
                packageRoot = true;
            }
            const Element* parent = open.empty() ? nullptr : &open.back();
            bool underExtension = false;
            for (const Element& outer : open)
                underExtension = underExtension || outer.contextMenuExtension;
            if (element.localName == L"Extension") {
                element.contextMenuExtension = Attribute(*reader, L"Category") == std::wstring(kContextMenuCategory);
            } else if (underExtension && element.namespaceUri == kDesktop5Namespace && element.localName == L"ItemType") {
                element.itemType = Attribute(*reader, L"Type").value_or(L"");
            } else if (parent && !parent->itemType.empty() && element.namespaceUri == kDesktop5Namespace &&
                       element.localName == L"Verb") {
                const std::optional<std::wstring> id = Attribute(*reader, L"Id");
                const std::optional<std::wstring> clsid = Attribute(*reader, L"Clsid");
                if (id && clsid) {
                    if (manifest.verbs.size() >= kMaxVerbs)
                        return std::nullopt;
                    manifest.verbs.push_back({Narrow(parent->itemType), Narrow(*id), Narrow(*clsid)});
                }
            }
            inDisplayName = element.localName == L"DisplayName" && open.size() == 2 && open[1].localName == L"Properties" &&
                            open[0].localName == L"Package";
            if (!reader->IsEmptyElement())
                open.push_back(std::move(element));
            else
                inDisplayName = false;
        } else if (type == XmlNodeType_EndElement) {
            if (!open.empty())
                open.pop_back();
            inDisplayName = false;
        } else if (inDisplayName && (type == XmlNodeType_Text || type == XmlNodeType_CDATA)) {
            const wchar_t* text = nullptr;
            UINT length = 0;
            if (FAILED(reader->GetValue(&text, &length)))
                return std::nullopt;
            if (text && manifest.displayName.size() + length <= kMaxTextChars)
                manifest.displayName += Narrow(std::wstring_view(text, length));
        }
    }
    // Anything but the end of a well-formed document costs the whole manifest.
    if (result != S_FALSE || !packageRoot)
        return std::nullopt;
    return manifest;
}

std::string Win32PackageSource::InstalledPath(const std::string& fullName)
{
    using GetPath = LONG(WINAPI*)(PCWSTR, UINT32*, PWSTR);
    // Windows 8.1 and later; Wine may lack it.
    static const GetPath getPath =
        reinterpret_cast<GetPath>(reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetPackagePathByFullName")));
    if (!getPath)
        return {};
    const std::wstring name = Widen(fullName);
    UINT32 length = 0;
    if (getPath(name.c_str(), &length, nullptr) != ERROR_INSUFFICIENT_BUFFER || length == 0 || length > 32768)
        return {};
    std::wstring path(length, L'\0');
    if (getPath(name.c_str(), &length, path.data()) != ERROR_SUCCESS)
        return {};
    path.resize(wcsnlen(path.c_str(), path.size()));
    return Narrow(path);
}

std::optional<PackageManifest> Win32PackageSource::ReadManifest(const std::string& path)
{
    HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::string bytes;
    LARGE_INTEGER size{};
    bool read = GetFileType(file) == FILE_TYPE_DISK && GetFileSizeEx(file, &size) && size.QuadPart >= 0 &&
                static_cast<unsigned long long>(size.QuadPart) <= kMaxManifestBytes;
    if (read) {
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
        DWORD done = 0;
        read = bytes.empty() || (ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) &&
                                 done == bytes.size());
    }
    CloseHandle(file);
    return read ? ParseManifest(bytes) : std::nullopt;
}

std::string Win32PackageSource::ResolveResource(const std::string& fullName, const std::string& reference)
{
    const std::wstring source = L"@{" + Widen(fullName) + L"?" + Widen(reference) + L"}";
    wchar_t text[1024] = {};
    if (FAILED(SHLoadIndirectString(source.c_str(), text, static_cast<UINT>(std::size(text)), nullptr)))
        return {};
    const std::wstring resolved(text, wcsnlen(text, std::size(text)));
    // A reference that does not resolve must not come back as itself.
    return resolved == source ? std::string() : Narrow(resolved);
}

}  // namespace kestrova
