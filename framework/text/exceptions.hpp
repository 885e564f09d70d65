#pragma once
// The framework's run-time exceptions. Every failure of a framework operation (a missing
// object, a failed cast, an index out of range, a malformed property list) is one of these.
#include <stdexcept>
#include <string>
#include <string_view>

namespace fw {

class RuntimeException : public std::runtime_error {
public:
    explicit RuntimeException(const std::string& message = {}) : std::runtime_error(message) {}
    // The exception's class name, as the unhandled-exception message shows it.
    virtual std::string_view TypeName() const { return "RuntimeException"; }
};

#define FW_DECLARE_EXCEPTION(Name)                                                   \
    class Name : public RuntimeException {                                           \
    public:                                                                          \
        explicit Name(const std::string& message = {}) : RuntimeException(message) {} \
        std::string_view TypeName() const override { return #Name; }                 \
    }

FW_DECLARE_EXCEPTION(NilObjectException);
FW_DECLARE_EXCEPTION(IllegalCastException);
FW_DECLARE_EXCEPTION(OutOfBoundsException);
FW_DECLARE_EXCEPTION(TypeMismatchException);
FW_DECLARE_EXCEPTION(UnsupportedFormatException);
FW_DECLARE_EXCEPTION(FunctionNotFoundException);
FW_DECLARE_EXCEPTION(StackOverflowException);
FW_DECLARE_EXCEPTION(ThreadAccessingUIException);

#undef FW_DECLARE_EXCEPTION

// The object itself; NilObjectException when there is none.
template <class T>
T& NotNil(T* object) {
    if (object == nullptr) throw NilObjectException();
    return *object;
}

// The framework's checked cast: none gives none, an object of another class raises
// IllegalCastException, anything else is the same object seen as T.
template <class T, class U>
T* CheckCast(U* object) {
    if (object == nullptr) return nullptr;
    if (auto* cast = dynamic_cast<T*>(object)) return cast;
    throw IllegalCastException();
}

}  // namespace fw
