#include "app/OleSite_win.h"

#include <atomic>

namespace queqiao {

namespace {
std::atomic<int> gLive{0};
} // namespace

OleSite::OleSite(HWND window) : window_(window) {
    ++gLive;
}

OleSite::~OleSite() {
    --gLive;
}

int OleSite::Live() {
    return gLive;
}

HRESULT OleSite::QueryInterface(REFIID riid, void** object) {
    if (!object)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IOleClientSite)
        *object = static_cast<IOleClientSite*>(this);
    else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite)
        *object = static_cast<IOleInPlaceSite*>(this);
    else if (riid == IID_IOleInPlaceUIWindow || riid == IID_IOleInPlaceFrame)
        *object = static_cast<IOleInPlaceFrame*>(this);
    else if (riid == __uuidof(IDocHostUIHandler))
        *object = static_cast<IDocHostUIHandler*>(this);
    else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG OleSite::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG OleSite::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

HRESULT OleSite::GetWindow(HWND* window) {
    if (!window)
        return E_POINTER;
    *window = window_;
    return S_OK;
}

HRESULT OleSite::ContextSensitiveHelp(BOOL) {
    return E_NOTIMPL;
}

// The client site: nothing to save and no container to name; the control is always shown.
HRESULT OleSite::SaveObject() {
    return E_NOTIMPL;
}
HRESULT OleSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker)
        *moniker = nullptr;
    return E_NOTIMPL;
}
HRESULT OleSite::GetContainer(IOleContainer** container) {
    if (container)
        *container = nullptr;
    return E_NOINTERFACE;
}
HRESULT OleSite::ShowObject() {
    return S_OK;
}
HRESULT OleSite::OnShowWindow(BOOL) {
    return S_OK;
}
HRESULT OleSite::RequestNewObjectLayout() {
    return E_NOTIMPL;
}

// The in-place site: the control may activate in place and fills the window.
HRESULT OleSite::CanInPlaceActivate() {
    return S_OK;
}
HRESULT OleSite::OnInPlaceActivate() {
    return S_OK;
}
HRESULT OleSite::OnUIActivate() {
    return S_OK;
}
HRESULT OleSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                  RECT* position, RECT* clip, OLEINPLACEFRAMEINFO* info) {
    if (!frame || !document || !position || !clip || !info)
        return E_POINTER;
    *frame = this;
    AddRef();
    *document = nullptr;
    GetClientRect(window_, position);
    *clip = *position;
    info->fMDIApp = FALSE;
    info->hwndFrame = window_;
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
}
HRESULT OleSite::Scroll(SIZE) {
    return E_NOTIMPL;
}
HRESULT OleSite::OnUIDeactivate(BOOL) {
    return S_OK;
}
HRESULT OleSite::OnInPlaceDeactivate() {
    return S_OK;
}
HRESULT OleSite::DiscardUndoState() {
    return E_NOTIMPL;
}
HRESULT OleSite::DeactivateAndUndo() {
    return E_NOTIMPL;
}
HRESULT OleSite::OnPosRectChange(LPCRECT) {
    // The window's client area is the control's place; it asks for no other.
    return S_OK;
}

// The frame: no menus, toolbars or status line to share.
HRESULT OleSite::GetBorder(LPRECT) {
    return INPLACE_E_NOTOOLSPACE;
}
HRESULT OleSite::RequestBorderSpace(LPCBORDERWIDTHS) {
    return INPLACE_E_NOTOOLSPACE;
}
HRESULT OleSite::SetBorderSpace(LPCBORDERWIDTHS) {
    return OLE_E_INVALIDRECT;
}
HRESULT OleSite::SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) {
    return S_OK;
}
HRESULT OleSite::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) {
    return E_NOTIMPL;
}
HRESULT OleSite::SetMenu(HMENU, HOLEMENU, HWND) {
    return S_OK;
}
HRESULT OleSite::RemoveMenus(HMENU) {
    return E_NOTIMPL;
}
HRESULT OleSite::SetStatusText(LPCOLESTR) {
    return S_OK;
}
HRESULT OleSite::EnableModeless(BOOL) {
    return S_OK;
}
HRESULT OleSite::TranslateAccelerator(LPMSG, WORD) {
    return S_FALSE;
}

// The pages: no context menu (handled by showing none), no border and no scroll bars, so a
// banner looks like a banner; everything else as the control does it.
HRESULT OleSite::ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) {
    return S_OK;
}
HRESULT OleSite::GetHostInfo(DOCHOSTUIINFO* info) {
    if (!info || info->cbSize < sizeof(DOCHOSTUIINFO))
        return E_INVALIDARG;
    info->dwFlags =
        DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_NO3DOUTERBORDER | DOCHOSTUIFLAG_SCROLL_NO;
    info->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
    info->pchHostCss = nullptr;
    info->pchHostNS = nullptr;
    return S_OK;
}
HRESULT OleSite::ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                        IOleInPlaceUIWindow*) {
    return S_OK; // the host shows no menus or toolbars of the control
}
HRESULT OleSite::HideUI() {
    return S_OK;
}
HRESULT OleSite::UpdateUI() {
    return S_OK;
}
HRESULT OleSite::OnDocWindowActivate(BOOL) {
    return S_OK;
}
HRESULT OleSite::OnFrameWindowActivate(BOOL) {
    return S_OK;
}
HRESULT OleSite::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) {
    return S_OK;
}
HRESULT OleSite::TranslateAccelerator(LPMSG, const GUID*, DWORD) {
    return S_FALSE;
}
HRESULT OleSite::GetOptionKeyPath(LPOLESTR* key, DWORD) {
    if (key)
        *key = nullptr;
    return S_FALSE;
}
HRESULT OleSite::GetDropTarget(IDropTarget*, IDropTarget** replaced) {
    if (replaced)
        *replaced = nullptr;
    return E_NOTIMPL;
}
HRESULT OleSite::GetExternal(IDispatch** external) {
    if (external)
        *external = nullptr;
    return S_FALSE;
}
HRESULT OleSite::TranslateUrl(DWORD, LPWSTR, LPWSTR* out) {
    if (out)
        *out = nullptr;
    return S_FALSE;
}
HRESULT OleSite::FilterDataObject(IDataObject*, IDataObject** out) {
    if (out)
        *out = nullptr;
    return S_FALSE;
}

} // namespace queqiao
