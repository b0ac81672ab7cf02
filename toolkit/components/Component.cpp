#include "toolkit/components/Component.h"

#include "toolkit/components/ClassInfo.h"

#include <algorithm>
#include <cctype>

TComponent::TComponent(TComponent* owner)
{
    if (owner)
        owner->InsertComponent(this);
}

TComponent::~TComponent()
{
    Destroying();
    // Components of other owners that refer to this one drop their references now.
    while (!freeNotifies_.empty()) {
        TComponent* other = freeNotifies_.back();
        freeNotifies_.pop_back();
        auto& theirs = other->freeNotifies_;
        theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
        other->Notification(this, opRemove);
    }
    DestroyComponents();
    if (owner_)
        owner_->RemoveComponent(this);
}

const TClassInfo& TComponent::StaticClassInfo()
{
    static const TClassInfo info("TComponent", nullptr, nullptr, [](TClassInfo& c) {
        TPublisher<TComponent>(c).String("Name", &TComponent::Name, &TComponent::SetName).Integer(
            "Tag", [](const TComponent& self) { return self.Tag; }, [](TComponent& self, int value) { self.Tag = value; });
    });
    return info;
}

std::string TComponent::ClassName() const { return ClassInfo().Name(); }

void TComponent::SetName(const std::string& name)
{
    if (name == name_)
        return;
    if (!IsValidIdent(name))
        throw EComponentError("\"" + name + "\" 不是有效的组件名");
    if (owner_ && !name.empty()) {
        TComponent* other = owner_->FindComponent(name);
        if (other && other != this)
            throw EComponentError("名为 " + name + " 的组件已存在");
    }
    name_ = name;
}

TComponent* TComponent::Components(int index) const
{
    if (index < 0 || index >= ComponentCount())
        throw EListError(index);
    return components_[static_cast<size_t>(index)];
}

int TComponent::ComponentIndex() const
{
    if (!owner_)
        return -1;
    auto& list = owner_->components_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TComponent* TComponent::FindComponent(std::string_view name) const
{
    if (name.empty())
        return nullptr;
    for (TComponent* component : components_)
        if (SameName(component->name_, name))
            return component;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* component)
{
    if (!component || component->owner_ == this)
        return;
    if (!component->name_.empty() && FindComponent(component->name_))
        throw EComponentError("名为 " + component->name_ + " 的组件已存在");
    if (component->owner_)
        component->owner_->RemoveComponent(component);
    components_.push_back(component);
    component->owner_ = this;
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component)
{
    auto it = std::find(components_.begin(), components_.end(), component);
    if (it == components_.end())
        return;
    Notification(component, opRemove);
    // The notification may have removed more; look again.
    it = std::find(components_.begin(), components_.end(), component);
    if (it != components_.end())
        components_.erase(it);
    component->owner_ = nullptr;
}

void TComponent::FreeNotification(TComponent* component)
{
    if (!component || component == this || component->owner_ == owner_)
        return;  // the common owner tells us anyway
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) != freeNotifies_.end())
        return;
    freeNotifies_.push_back(component);
    component->freeNotifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component)
{
    if (!component)
        return;
    freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), component), freeNotifies_.end());
    auto& theirs = component->freeNotifies_;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
}

void TComponent::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove && component)
        RemoveFreeNotification(component);
    // A notification handler may delete components of ours; walk a snapshot and skip the gone.
    std::vector<TComponent*> snapshot = components_;
    for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) {
        TComponent* child = *it;
        if (child != component && std::find(components_.begin(), components_.end(), child) != components_.end())
            child->Notification(component, operation);
    }
}

void TComponent::BeginLoading() { state_ |= csLoading; }

void TComponent::Loaded() { state_ &= ~unsigned(csLoading); }

void TComponent::Destroying()
{
    if (state_ & csDestroying)
        return;
    state_ |= csDestroying;
    for (TComponent* component : components_)
        component->Destroying();
}

void TComponent::DestroyComponents()
{
    // Last first, each removed with the usual notification so that the ones still alive never
    // keep a reference to one already gone.
    while (!components_.empty()) {
        TComponent* component = components_.back();
        RemoveComponent(component);
        delete component;
    }
}

const std::any* TComponent::FindHandler(std::string_view name) const
{
    auto it = handlers_.find(Folded(name));
    return it == handlers_.end() ? nullptr : &it->second;
}

std::string TComponent::Folded(std::string_view name)
{
    std::string folded(name);
    for (char& c : folded)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return folded;
}

bool TComponent::SameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

bool TComponent::IsValidIdent(std::string_view name)
{
    if (name.empty())
        return true;
    auto alpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; };
    if (!alpha(name[0]))
        return false;
    return std::all_of(name.begin(), name.end(), [&](char c) { return alpha(c) || (c >= '0' && c <= '9'); });
}
