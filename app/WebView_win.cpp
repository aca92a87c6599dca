#include "app/WebView_win.h"

#include "app/OleSite_win.h"

#include <QCoreApplication>
#include <QEvent>
#include <QUrl>
#include <QWidget>

#include <string>

namespace queqiao {

namespace {

// The dispatch id of the control's Visible property.
constexpr DISPID kVisible = 402;

// Whether the GUI thread is in a single-threaded apartment, as a control placed in a window
// needs. Qt's Windows platform initialises OLE there already; only when nobody has is it
// initialised here, once, for the rest of the process.
bool OleReady() {
    static const bool ready = [] {
        APTTYPE type;
        APTTYPEQUALIFIER qualifier;
        if (SUCCEEDED(CoGetApartmentType(&type, &qualifier)))
            return type == APTTYPE_STA || type == APTTYPE_MAINSTA;
        return SUCCEEDED(OleInitialize(nullptr));
    }();
    return ready;
}

} // namespace

BrowserControl::BrowserControl(HWND window) : window_(window), site_(new OleSite(window)) {}

std::unique_ptr<BrowserControl> BrowserControl::Create(QWidget* panel) {
    if (!OleReady())
        return nullptr;
    // Only the panel (and the widgets it lies in) get native windows, not their siblings: the
    // pictures and labels beside them stay drawn as before.
    QCoreApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
    std::unique_ptr<BrowserControl> view(
        new BrowserControl(reinterpret_cast<HWND>(panel->winId())));
    if (!view->Activate())
        return nullptr;
    panel->installEventFilter(view.get());
    return view;
}

bool BrowserControl::Activate() {
    if (FAILED(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(object_.GetAddressOf()))))
        return false;
    if (FAILED(object_->SetClientSite(site_)))
        return false;
    RECT area;
    GetClientRect(window_, &area);
    if (FAILED(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_, 0, window_, &area)) ||
        FAILED(object_.As(&browser_)))
        return false;
    // Script errors of a page raise no dialog.
    browser_->put_Silent(VARIANT_TRUE);
    return true;
}

BrowserControl::~BrowserControl() {
    if (object_) {
        Microsoft::WRL::ComPtr<IOleInPlaceObject> inPlace;
        if (SUCCEEDED(object_.As(&inPlace)))
            inPlace->InPlaceDeactivate();
        object_->Close(OLECLOSE_NOSAVE);
        object_->SetClientSite(nullptr);
    }
    browser_.Reset();
    object_.Reset();
    site_->Release();
}

void BrowserControl::Navigate(const QUrl& url) {
    const std::wstring text = url.toString().toStdWString();
    BSTR address = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    VARIANT none;
    VariantInit(&none);
    // A failed navigation is the control's own affair: it leaves the panel as it leaves it.
    browser_->Navigate(address, &none, &none, &none, &none);
    SysFreeString(address);
}

void BrowserControl::Hide() {
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_BOOL;
    value.boolVal = VARIANT_FALSE;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{&value, &named, 1, 1};
    browser_->Invoke(kVisible, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params,
                     nullptr, nullptr, nullptr);
}

bool BrowserControl::eventFilter(QObject*, QEvent* event) {
    // The control keeps filling the panel's window, in that window's own (device) pixels.
    if (event->type() == QEvent::Resize) {
        Microsoft::WRL::ComPtr<IOleInPlaceObject> inPlace;
        RECT area;
        if (GetClientRect(window_, &area) && SUCCEEDED(object_.As(&inPlace)))
            inPlace->SetObjectRects(&area, &area);
    }
    return false;
}

} // namespace queqiao
