#pragma once
// The process-wide class registry: the classes that form descriptions and component streams
// may create, by name (ignoring ASCII case).
#include <string_view>
#include <vector>

namespace lindora {

class ClassInfo;

class ClassRegistry {
public:
    static ClassRegistry& instance();

    // Registering the same class again does nothing; another class of the same name is refused
    // with EComponentError.
    void registerClass(const ClassInfo& info);
    void unregisterClass(const ClassInfo& info);
    bool isRegistered(const ClassInfo& info) const;
    // Null when unknown.
    const ClassInfo* find(std::string_view name) const;
    // Throws EClassNotFound "Class X not found".
    const ClassInfo& get(std::string_view name) const;
    const std::vector<const ClassInfo*>& classes() const { return classes_; }

private:
    ClassRegistry() = default;
    std::vector<const ClassInfo*> classes_;
};

inline void registerClass(const ClassInfo& info) { ClassRegistry::instance().registerClass(info); }
inline void unregisterClass(const ClassInfo& info) { ClassRegistry::instance().unregisterClass(info); }
inline const ClassInfo* findClass(std::string_view name) { return ClassRegistry::instance().find(name); }

// Registers classes for the lifetime of the object (tests, plug-ins).
class ClassRegistration {
public:
    ClassRegistration(std::initializer_list<const ClassInfo*> classes);
    ~ClassRegistration();
    ClassRegistration(const ClassRegistration&) = delete;
    ClassRegistration& operator=(const ClassRegistration&) = delete;

private:
    std::vector<const ClassInfo*> added_;
};

}  // namespace lindora
