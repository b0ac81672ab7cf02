#pragma once

#include "toolkit/core/Exceptions.h"

#include <any>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

class TClassInfo;

// The root of everything the toolkit creates by class: sender of events.
class TObject {
public:
    virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

enum TOperation { opInsert, opRemove };

// Component states; several may hold at once.
enum TComponentStateFlag : unsigned {
    csLoading = 1,     // a layout is being read into it; setters must not assume a finished object
    csDestroying = 2,  // its destructor has started
    csDesigning = 4,   // never set by this toolkit; kept so that code can ask
};

// A component with the classic names, ownership, removal notifications and loading state.
class EComponentError : public Exception {
    using Exception::Exception;
};

// A component belongs to its owner: the owner deletes the components it owns when it goes, and
// tells all of them (Notification with opRemove) whenever one of them goes, so that references
// between components of one owner are cleared before they dangle. Components of other owners
// ask for the same with FreeNotification.
class TComponent : public TObject {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    static const TClassInfo& StaticClassInfo();
    // The class's published properties and name; every registered class overrides it.
    virtual const TClassInfo& ClassInfo() const { return StaticClassInfo(); }
    virtual std::string ClassName() const;

    const std::string& Name() const { return name_; }
    // A valid identifier (or empty), unique among the owner's components regardless of case.
    virtual void SetName(const std::string& name);
    TComponent* Owner() const { return owner_; }
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    // Raises EListError for an index outside the list.
    TComponent* Components(int index) const;
    int ComponentIndex() const;
    TComponent* FindComponent(std::string_view name) const;
    template <class T> T* Find(std::string_view name) const { return dynamic_cast<T*>(FindComponent(name)); }

    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    // Asks `component` to tell this one when it goes, whoever owns it.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);
    // Points `field` at `value` with the free notifications kept in step, so that the reference
    // is cleared in time when the component it names goes away. False when nothing changed.
    template <class T> bool ReplaceReference(T*& field, T* value)
    {
        if (field == value)
            return false;
        RemoveFreeNotification(field);
        field = value;
        FreeNotification(value);
        return true;
    }

    unsigned ComponentState() const { return state_; }
    bool IsLoading() const { return (state_ & csLoading) != 0; }
    bool IsDestroying() const { return (state_ & csDestroying) != 0; }
    // The layout reader's switch; Loaded switches it off again.
    void BeginLoading();
    // End-of-loading notification: a layout has been read and all references resolved.
    virtual void Loaded();
    // Marks this component and everything it owns as going.
    void Destroying();

    int Tag = 0;

    // The component a layout nests this one in; controls take it as their parent.
    virtual void SetParentComponent(TComponent* parent) { (void)parent; }

    // Event handlers a layout may name (OnClick = Button1Click): defined on the layout's root
    // before the layout is read. The handler type must be the event's type.
    template <class F> void DefineHandler(const std::string& name, F handler) { handlers_[Folded(name)] = std::move(handler); }
    const std::any* FindHandler(std::string_view name) const;

    // Case-insensitive comparison of ASCII names, as identifiers compare.
    static bool SameName(std::string_view a, std::string_view b);
    static bool IsValidIdent(std::string_view name);

protected:
    // Removal notice for `component`; the base passes it on to every owned component.
    virtual void Notification(TComponent* component, TOperation operation);

private:
    static std::string Folded(std::string_view name);
    void DestroyComponents();

    std::string name_;
    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    unsigned state_ = 0;
    std::map<std::string, std::any> handlers_;
};
