#include "hostobject.h"

#include "hostconverter.h"
#include "hostengine.h"
#include "hostlogger.h"
#include "interfacenames.h"

#include <cstring>

namespace quelmar {

HostObject::HostObject(HostEngine& engine, HostConverter& converter, HostLogger& logger)
    : engine_(engine), converter_(converter), logger_(logger)
{
}

hostsdk::HRESULT HostObject::GetInterface(const char* typeLibName, const char* progId, const char* objectName,
                                          void** out)
{
    if (!out)
        return platform::E_INVALIDARG;
    *out = nullptr;
    if (!typeLibName || !progId || !objectName)
        return platform::E_INVALIDARG;
    auto is = [](const char* a, const char* b) { return std::strcmp(a, b) == 0; };

    if (is(progId, hostsdk::kEngineProgId) && is(objectName, hostsdk::kEngineObjectName)) {
        if (is(typeLibName, hostsdk::kEngineTypeLib))
            *out = static_cast<hostsdk::IEngine*>(&engine_);
        else if (is(typeLibName, hostsdk::kCallbackProviderTypeLib))
            *out = static_cast<hostsdk::ICallbackProvider*>(&engine_);
    } else if (is(progId, hostsdk::kConverterProgId) && is(objectName, hostsdk::kConverterObjectName) &&
               is(typeLibName, hostsdk::kConverterTypeLib)) {
        *out = static_cast<hostsdk::IConverter*>(&converter_);
    }
    if (*out)
        return platform::S_OK;
    logger_.hostError(std::string("GetInterface: no object ") + typeLibName + " / " + progId + " / " + objectName);
    return platform::E_INVALIDARG;
}

hostsdk::HRESULT HostObject::NotifyClosed()
{
    std::function<void()> onClosed;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ++closedCount_;
        onClosed = onClosed_;
    }
    closed_.notify_all();
    logger_.hostInfo("The plug-in reports its window closed");
    if (onClosed)
        onClosed();
    return platform::S_OK;
}

int HostObject::closedCount() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return closedCount_;
}

bool HostObject::waitClosed(std::chrono::milliseconds timeout) const
{
    std::unique_lock<std::mutex> lock(mutex_);
    return closed_.wait_for(lock, timeout, [this] { return closedCount_ > 0; });
}

void HostObject::setOnClosed(std::function<void()> onClosed)
{
    std::lock_guard<std::mutex> lock(mutex_);
    onClosed_ = std::move(onClosed);
}

} // namespace quelmar
