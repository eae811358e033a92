#pragma once
// What every public object of the library shares: reference counting, the
// last error, and the boundary where internal errors become statuses.

#include "QmErrors.h"
#include "quillmark/Quillmark.h"

#include <atomic>
#include <initializer_list>

namespace quillmark {

// Objects and server locks alive, for DllCanUnloadNow.
std::atomic<long>& LiveObjects();
std::atomic<long>& ServerLocks();

template <class Interface>
class ComponentBase : public Interface {
public:
    ComponentBase() { ++LiveObjects(); }
    virtual ~ComponentBase() { --LiveObjects(); }
    ComponentBase(const ComponentBase&) = delete;
    ComponentBase& operator=(const ComponentBase&) = delete;

    uint32_t AddRef() noexcept override { return ++m_refs; }
    uint32_t Release() noexcept override {
        const uint32_t left = --m_refs;
        if (left == 0) delete this;
        return left;
    }
    const ErrorInfo& LastError() const noexcept override { return m_error; }

protected:
    // Runs one member's work: clears the last error, and turns whatever the
    // work raised into the status and the last error.
    template <class F>
    Status guard(F&& work) noexcept {
        m_error.number = 0;
        m_error.source.clear();
        m_error.description.clear();
        try {
            work();
            return S_Ok;
        } catch (...) {
            m_error = CurrentErrorInfo();
            return m_error.number;
        }
    }

    Status fail(int32_t number) noexcept {
        m_error.number = number;
        try {
            m_error.source = kLibraryName;
            m_error.description = PlatformErrorText(number);
        } catch (...) {
        }
        return number;
    }

    // QueryInterface for a class whose interfaces all sit at `this`.
    Status queryAmong(const Guid& iid, void** object, std::initializer_list<Guid> iids) noexcept {
        if (!object) return fail(Err::InvalidCall);
        *object = nullptr;
        if (iid == IID_IQmObject) {
            *object = static_cast<Interface*>(this);
        } else {
            for (const Guid& g : iids)
                if (g == iid) *object = static_cast<Interface*>(this);
        }
        if (!*object) return fail(Err::NoInterface);
        AddRef();
        m_error = ErrorInfo{};
        return S_Ok;
    }

    ErrorInfo m_error;

private:
    std::atomic<uint32_t> m_refs{1};
};

}  // namespace quillmark
