#include "FaultInjectingRegistry.h"

namespace kestrova {

void FaultInjectingRegistry::FailCalls(std::set<std::size_t> numbers, long error)
{
    failing_ = std::move(numbers);
    error_ = error;
}

bool FaultInjectingRegistry::Fails()
{
    ++calls_;
    const bool ended = endAt_ != 0 && calls_ >= endAt_;
    if (!ended && !failing_.count(calls_))
        return false;
    ++failed_;
    return true;
}

long FaultInjectingRegistry::Write(long result)
{
    if (result == regerr::Success)
        ++writes_;
    return result;
}

long FaultInjectingRegistry::OpenKey(RegHandle parent, const std::string& subKey, std::uint32_t access,
                                     RegHandle& result)
{
    return Fails() ? error_ : inner_.OpenKey(parent, subKey, access, result);
}

long FaultInjectingRegistry::CreateKey(RegHandle parent, const std::string& subKey, std::uint32_t access,
                                       RegHandle& result)
{
    return Fails() ? error_ : Write(inner_.CreateKey(parent, subKey, access, result));
}

long FaultInjectingRegistry::CloseKey(RegHandle key)
{
    // A failed close still releases the handle, as RegCloseKey leaves nothing to retry.
    const bool fails = Fails();
    const long result = inner_.CloseKey(key);
    return fails ? error_ : result;
}

long FaultInjectingRegistry::EnumKey(RegHandle key, std::uint32_t index, std::string& name)
{
    return Fails() ? error_ : inner_.EnumKey(key, index, name);
}

long FaultInjectingRegistry::EnumValue(RegHandle key, std::uint32_t index, std::string& name)
{
    return Fails() ? error_ : inner_.EnumValue(key, index, name);
}

long FaultInjectingRegistry::QueryValue(RegHandle key, const std::string& name, RegValue& value)
{
    return Fails() ? error_ : inner_.QueryValue(key, name, value);
}

long FaultInjectingRegistry::SetValue(RegHandle key, const std::string& name, const RegValue& value)
{
    return Fails() ? error_ : Write(inner_.SetValue(key, name, value));
}

long FaultInjectingRegistry::DeleteValue(RegHandle key, const std::string& name)
{
    return Fails() ? error_ : Write(inner_.DeleteValue(key, name));
}

long FaultInjectingRegistry::DeleteKey(RegHandle parent, const std::string& subKey, std::uint32_t viewBits)
{
    return Fails() ? error_ : Write(inner_.DeleteKey(parent, subKey, viewBits));
}

long FaultInjectingRegistry::RenameKey(RegHandle parent, const std::string& subKey, const std::string& newName)
{
    if (Fails())
        return error_;
    return renames ? Write(inner_.RenameKey(parent, subKey, newName)) : regerr::CallNotImplemented;
}

long FaultInjectingRegistry::QueryKeyName(RegHandle key, std::string& name)
{
    if (Fails())
        return error_;
    return namesKeys ? inner_.QueryKeyName(key, name) : regerr::CallNotImplemented;
}

}  // namespace kestrova
