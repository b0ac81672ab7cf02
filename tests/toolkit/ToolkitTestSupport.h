#pragma once

#include "platform/headless/HeadlessHost.h"
#include "platform/headless/HeadlessWindow.h"
#include "toolkit/application/Application.h"
#include "toolkit/graphics/BoxFontEngine.h"
#include "toolkit/graphics/FontEngineSlot.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

// A script command that cannot apply, as the headless host reports it.
struct ScriptFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// An application on a headless host whose failures throw instead of ending the process, with
// the box font engine so that text metrics are the same everywhere.
class ToolkitTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previousEngine_ = InstalledFontEngine();
        SetFontEngine(std::make_shared<TBoxFontEngine>());
        MakeApplication("");
    }
    void TearDown() override
    {
        app_.reset();
        SetFontEngine(previousEngine_);
    }

    // Starts over with a new application whose host runs `script`.
    void MakeApplication(const std::string& script)
    {
        app_.reset();
        auto host = std::make_unique<HeadlessHost>(script);
        host->SetFailureHandler([](const std::string& message) { throw ScriptFailure(message); });
        host_ = host.get();
        app_ = std::make_unique<TApplication>(std::move(host));
    }

    std::unique_ptr<TApplication> app_;
    HeadlessHost* host_ = nullptr;
    std::shared_ptr<FontEngine> previousEngine_;
};
