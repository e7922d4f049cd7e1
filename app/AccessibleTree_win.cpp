// The accessible objects of the menu window, written by hand over
// AccessibleElements: the client object and its two containers (tab list,
// item list). Each answers for any element id of the tree and enumerates its
// own children. Every call runs on the window's thread (the system marshals
// calls from other processes there).
#include "app/AccessibleTree_win.h"

#include <oleacc.h>

#include <algorithm>
#include <climits>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "app/AccessibleElements_win.h"
#include "app/Autorun3_win.h"

namespace pikko {

using accessible::Kind;
using accessible::KindOf;

struct AccessibleTree::Link {
  TZkAutorunForm* form = nullptr;  // null once the window has gone
  // The client object and the two containers: one of each, so that every
  // client sees the same objects.
  Node* nodes[3] = {};
};

namespace {

// UTF-16 for COM from the system code page the disc's texts are in.
BSTR ToBstr(const std::string& text) {
  const int length = static_cast<int>(std::min<std::size_t>(text.size(), INT_MAX / 2));
  const int wide = length ? ::MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0) : 0;
  BSTR out = ::SysAllocStringLen(nullptr, static_cast<UINT>(wide));
  if (out && wide) ::MultiByteToWideChar(CP_ACP, 0, text.data(), length, out, wide);
  return out;
}

HRESULT ReturnText(const std::string& text, BSTR* out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (text.empty()) return S_FALSE;
  *out = ToBstr(text);
  return *out ? S_OK : E_OUTOFMEMORY;
}

bool ChildIdOf(const VARIANT& v, long& id) {
  if (v.vt == VT_I4) {
    id = v.lVal;
    return true;
  }
  if (v.vt == VT_EMPTY) {
    id = CHILDID_SELF;
    return true;
  }
  return false;
}

int NodeIndex(long id) {
  if (id == AccessibleTree::kTabList) return 1;
  if (id == AccessibleTree::kItemList) return 2;
  return id == CHILDID_SELF ? 0 : -1;
}

}  // namespace

class AccessibleTree::Node final : public IAccessible, public IEnumVARIANT {
 public:
  Node(std::shared_ptr<Link> link, long self) : link_(std::move(link)), self_(self) {}

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible) {
      *out = static_cast<IAccessible*>(this);
    } else if (iid == IID_IEnumVARIANT) {
      *out = static_cast<IEnumVARIANT*>(this);
    } else {
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&refs_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = ::InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // IDispatch: the accessible interface is used through its vtable only.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    TZkAutorunForm* form = Form();
    if (!form) return RPC_E_DISCONNECTED;
    if (self_ != CHILDID_SELF) return DispatchOf(CHILDID_SELF, out);
    // Above the client: the system's object of the window itself.
    return ::CreateStdAccessibleObject(form->Handle(), OBJID_WINDOW, IID_IDispatch,
                                       reinterpret_cast<void**>(out));
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    TZkAutorunForm* form = Form();
    if (!form) return RPC_E_DISCONNECTED;
    *count = static_cast<long>(accessible::Children(*form, self_).size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    long id = 0;
    TZkAutorunForm* form = Form();
    if (!form) return RPC_E_DISCONNECTED;
    if (!ChildIdOf(child, id) || !accessible::Exists(*form, id)) return E_INVALIDARG;
    if (NodeIndex(id) > 0) return DispatchOf(id, out);
    return S_FALSE;  // a simple element: this object answers for it
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* out) override {
    return Text(child, out, &accessible::Name);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    long id = 0;
    return Resolve(child, id);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* out) override {
    return Text(child, out, &accessible::Description);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* out) override {
    if (!out) return E_POINTER;
    ::VariantInit(out);
    long id = 0;
    if (const HRESULT hr = Resolve(child, id); hr != S_OK) return hr;
    out->vt = VT_I4;
    out->lVal = accessible::Role(id);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* out) override {
    if (!out) return E_POINTER;
    ::VariantInit(out);
    long id = 0;
    if (const HRESULT hr = Resolve(child, id); hr != S_OK) return hr;
    out->vt = VT_I4;
    out->lVal = accessible::State(*Form(), id);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* out) override {
    if (out) *out = nullptr;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
    if (file) *file = nullptr;
    if (topic) *topic = 0;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* out) override {
    if (out) *out = nullptr;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override {
    if (!out) return E_POINTER;
    ::VariantInit(out);
    TZkAutorunForm* form = Form();
    if (!form) return RPC_E_DISCONNECTED;
    const long focused = accessible::FocusedElement(*form);
    if (focused < 0) return S_FALSE;
    return ChildVariant(focused, out);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override {
    if (!out) return E_POINTER;
    ::VariantInit(out);
    TZkAutorunForm* form = Form();
    if (!form) return RPC_E_DISCONNECTED;
    const long selected = accessible::SelectedChild(*form, self_);
    if (selected < 0) return S_FALSE;
    out->vt = VT_I4;
    out->lVal = selected;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* out) override {
    return Text(child, out, &accessible::DefaultAction);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
    long id = 0;
    if (const HRESULT hr = Resolve(child, id); hr != S_OK) return hr;
    const Kind kind = KindOf(id);
    if (!(flags & (SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION))) return E_INVALIDARG;
    if (kind != Kind::Tab && kind != Kind::Row && kind != Kind::Button) return DISP_E_MEMBERNOTFOUND;
    return Post(id, 1);
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) override {
    if (!left || !top || !width || !height) return E_POINTER;
    *left = *top = *width = *height = 0;
    long id = 0;
    if (const HRESULT hr = Resolve(child, id); hr != S_OK) return hr;
    const RECT r = accessible::Location(*Form(), id);
    *left = r.left;
    *top = r.top;
    *width = r.right - r.left;
    *height = r.bottom - r.top;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* out) override {
    if (!out) return E_POINTER;
    ::VariantInit(out);
    long id = 0;
    if (const HRESULT hr = Resolve(start, id); hr != S_OK) return hr;
    TZkAutorunForm& form = *Form();
    if (direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD) {
      if (id != CHILDID_SELF) return E_INVALIDARG;
      const std::vector<long> children = accessible::Children(form, self_);
      if (children.empty()) return S_FALSE;
      return ChildVariant(direction == NAVDIR_FIRSTCHILD ? children.front() : children.back(), out);
    }
    if (id == CHILDID_SELF) return S_FALSE;  // the containers' own siblings: ask the parent
    const std::vector<long> siblings = accessible::Children(form, accessible::ParentOf(id));
    const auto at = std::find(siblings.begin(), siblings.end(), id);
    const bool forward = direction == NAVDIR_NEXT || direction == NAVDIR_DOWN || direction == NAVDIR_RIGHT;
    const bool backward = direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP || direction == NAVDIR_LEFT;
    if (at == siblings.end() || (!forward && !backward)) return S_FALSE;
    if (forward && at + 1 != siblings.end()) return ChildVariant(*(at + 1), out);
    if (backward && at != siblings.begin()) return ChildVariant(*(at - 1), out);
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* out) override {
    if (!out) return E_POINTER;
    ::VariantInit(out);
    TZkAutorunForm* form = Form();
    if (!form) return RPC_E_DISCONNECTED;
    const long hit = accessible::ElementAt(*form, POINT{x, y});
    if (hit < 0) return S_FALSE;
    // Only this object's own children are named here; deeper ones through
    // their container.
    long answer = hit;
    if (self_ == CHILDID_SELF && accessible::ParentOf(hit) != CHILDID_SELF) answer = accessible::ParentOf(hit);
    if (self_ != CHILDID_SELF && accessible::ParentOf(hit) != self_) return S_FALSE;
    return ChildVariant(answer, out);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    long id = 0;
    if (const HRESULT hr = Resolve(child, id); hr != S_OK) return hr;
    const Kind kind = KindOf(id);
    if (kind != Kind::Tab && kind != Kind::Row && kind != Kind::Button && kind != Kind::Chrome)
      return DISP_E_MEMBERNOTFOUND;
    return Post(id, 0);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

  // IEnumVARIANT: this object's children, as they are when asked.
  HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* out, ULONG* fetched) override {
    if (fetched) *fetched = 0;
    if (!out) return E_POINTER;
    TZkAutorunForm* form = Form();
    if (!form) return RPC_E_DISCONNECTED;
    const std::vector<long> children = accessible::Children(*form, self_);
    ULONG n = 0;
    for (; n < count && cursor_ < children.size(); ++n, ++cursor_) {
      ::VariantInit(&out[n]);
      ChildVariant(children[cursor_], &out[n]);
    }
    if (fetched) *fetched = n;
    return n == count ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    TZkAutorunForm* form = Form();
    if (!form) return RPC_E_DISCONNECTED;
    const std::size_t size = accessible::Children(*form, self_).size();
    cursor_ = std::min<std::size_t>(size, cursor_ + count);
    return cursor_ < size || count == 0 ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    cursor_ = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** out) override {
    if (!out) return E_POINTER;
    auto* copy = new (std::nothrow) Node(link_, self_);
    *out = copy;
    if (!copy) return E_OUTOFMEMORY;
    copy->cursor_ = cursor_;
    return S_OK;
  }

 private:
  ~Node() = default;

  TZkAutorunForm* Form() const { return link_->form; }

  // The id a call is about; S_OK when it names an element on show.
  HRESULT Resolve(const VARIANT& child, long& id) const {
    TZkAutorunForm* form = Form();
    if (!form) return RPC_E_DISCONNECTED;
    if (!ChildIdOf(child, id)) return E_INVALIDARG;
    if (id == CHILDID_SELF) id = self_;
    return accessible::Exists(*form, id) ? S_OK : E_INVALIDARG;
  }

  HRESULT Text(const VARIANT& child, BSTR* out,
               std::string (*read)(const TZkAutorunForm&, long)) const {
    if (!out) return E_POINTER;
    *out = nullptr;
    long id = 0;
    if (const HRESULT hr = Resolve(child, id); hr != S_OK) return hr;
    return ReturnText(read(*Form(), id), out);
  }

  // A container as its object, anything else as its id.
  HRESULT ChildVariant(long id, VARIANT* out) const {
    if (NodeIndex(id) >= 0 && id != self_) {
      IDispatch* dispatch = nullptr;
      if (DispatchOf(id, &dispatch) == S_OK) {
        out->vt = VT_DISPATCH;
        out->pdispVal = dispatch;
        return S_OK;
      }
    }
    out->vt = VT_I4;
    out->lVal = id == self_ ? CHILDID_SELF : id;
    return S_OK;
  }

  HRESULT DispatchOf(long id, IDispatch** out) const {
    Node* node = link_->nodes[NodeIndex(id)];
    if (!node) return E_FAIL;
    node->AddRef();
    *out = static_cast<IAccessible*>(node);
    return S_OK;
  }

  HRESULT Post(long id, long action) const {
    TZkAutorunForm* form = Form();
    if (!form) return RPC_E_DISCONNECTED;
    if (!::PostMessageA(form->Handle(), kAccessibleActionMessage, static_cast<WPARAM>(id),
                        static_cast<LPARAM>(action)))
      return E_FAIL;
    return S_OK;
  }

  std::shared_ptr<Link> link_;
  long self_;
  LONG refs_ = 1;
  std::size_t cursor_ = 0;
};

void NotifyAccessible(HWND window, DWORD event, long childId) {
  if (window) ::NotifyWinEvent(event, window, OBJID_CLIENT, childId);
}

AccessibleTree::AccessibleTree(TZkAutorunForm& form) : link_(std::make_shared<Link>()) {
  link_->form = &form;
  const long selves[] = {CHILDID_SELF, kTabList, kItemList};
  for (int i = 0; i < 3; ++i) link_->nodes[i] = new (std::nothrow) Node(link_, selves[i]);
}

AccessibleTree::~AccessibleTree() {
  link_->form = nullptr;
  for (Node*& node : link_->nodes) {
    if (!node) continue;
    // Other processes' proxies are cut off; what they still call fails.
    ::CoDisconnectObject(static_cast<IAccessible*>(node), 0);
    std::exchange(node, nullptr)->Release();
  }
}

LRESULT AccessibleTree::Answer(WPARAM wp, LPARAM lp) {
  if (static_cast<LONG>(static_cast<DWORD>(lp)) != OBJID_CLIENT || !link_->nodes[0]) return 0;
  const LRESULT answer = ::LresultFromObject(IID_IAccessible, wp, static_cast<IAccessible*>(link_->nodes[0]));
  return answer > 0 ? answer : 0;
}

void AccessibleTree::RunAction(long childId, long action) {
  TZkAutorunForm* form = link_->form;
  if (!form || !accessible::Exists(*form, childId)) return;
  const int index = accessible::IndexOf(childId);
  switch (KindOf(childId)) {
    case Kind::Tab:
      form->RunNavCommands({{NavCommand::SelectTab, index}});
      break;
    case Kind::Row:
      // As the mouse does it: onto the row, then the click.
      if (action == 0) {
        form->RunNavCommands({{NavCommand::HoverRow, index}, {NavCommand::StartRow, index}});
      } else {
        form->RunNavCommands({{NavCommand::FocusList}, {NavCommand::HoverRow, index}});
      }
      break;
    case Kind::Button: {
      ZkButtonTx* b = form->AllButtons()[static_cast<std::size_t>(index)];
      if (!b->Enabled()) break;
      if (action == 0) {
        b->Click();
      } else {
        b->SetFocus();
      }
      break;
    }
    case Kind::Chrome:
      if (action != 0) break;
      if (index == 0) {
        form->imgMinimizeClick(*form->imgMinimize);
      } else {
        form->imgCloseClick(*form->imgClose);
      }
      break;
    default:
      break;
  }
}

}  // namespace pikko
