#include "object/BaseObject.h"

#include <unordered_set>

namespace Velmora {

namespace {
std::unordered_set<const void*>& LiveObjects() {
    static std::unordered_set<const void*> live;
    return live;
}
}  // namespace

BaseObject::BaseObject() {
    LiveObjects().insert(this);
}

BaseObject::~BaseObject() {
    LiveObjects().erase(this);
}

bool BaseObject::IsLive(const void* handle) {
    return handle != nullptr && LiveObjects().count(handle) != 0;
}

std::size_t BaseObject::LiveCount() {
    return LiveObjects().size();
}

void BaseObject::Update() {}
void BaseObject::Draw() {}
void BaseObject::OnDamage(int) {}
void BaseObject::Load(const std::string&) {}
void BaseObject::SetAction(const std::string&) {}
void BaseObject::PlayAni(const std::string&, bool) {}
void BaseObject::StopAni() {}
void BaseObject::SetCustom(const std::string& name, int value) {
    Custom[name] = value;
}
int BaseObject::GetCustom(const std::string& name) const {
    auto found = Custom.find(name);
    return found == Custom.end() ? 0 : found->second;
}
bool BaseObject::IsCollide(const BaseObject&) const {
    return false;
}
void BaseObject::CopyFrom(const BaseObject&) {}

}  // namespace Velmora
