#include "platform/BrowserBridge.h"

#include "platform/BrowserBridgeProcess.h"

namespace {
BrowserBridge *g_bridge = nullptr;
}

BrowserBridge &BrowserBridge::instance()
{
    static ProcessBrowserBridge processBridge;
    return g_bridge ? *g_bridge : processBridge;
}

void BrowserBridge::setInstance(BrowserBridge *bridge)
{
    g_bridge = bridge;
}
