#pragma once
// Sets (or, given no value, unsets) one environment variable for the life of
// the object and puts back what was there before.

#include <QByteArray>
#include <optional>
#include <utility>

class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, std::optional<QByteArray> value) : m_name(name) {
        if (qEnvironmentVariableIsSet(name)) m_old = qgetenv(name);
        Set(std::move(value));
    }
    ~ScopedEnvironment() { Set(m_old); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

    void Set(const std::optional<QByteArray>& value) {
        if (value) qputenv(m_name, *value);
        else qunsetenv(m_name);
    }

private:
    const char* m_name;
    std::optional<QByteArray> m_old;
};
