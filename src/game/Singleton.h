#pragma once
// One lazily created instance per class: GetInstance() creates it on first use,
// DestroyInstance() deletes it and clears the pointer so a later use starts anew.

namespace Velmora {

template <typename T>
class Singleton {
public:
    static T* GetInstance() {
        if (instance_ == nullptr) {
            instance_ = new T();
        }
        return instance_;
    }

    static void DestroyInstance() {
        T* doomed = instance_;
        instance_ = nullptr;
        delete doomed;
    }

    // For callers that must not create the instance as a side effect.
    static T* Existing() { return instance_; }

    virtual ~Singleton() = default;

protected:
    Singleton() = default;

private:
    Singleton(const Singleton&) = delete;
    Singleton& operator=(const Singleton&) = delete;
    static inline T* instance_ = nullptr;
};

}  // namespace Velmora
