#include "platform/errors.h"

#include "platform/runtime.h"

#include <utility>

namespace tk {

namespace {
int g_depth = 0;

struct DepthGuard {
    DepthGuard() { ++g_depth; }
    ~DepthGuard() { --g_depth; }
};

void failOutermost(const RuntimeError& e) {
    Runtime& rt = Runtime::current();
    rt.messageBox().show(runtimeErrorText(e), kMsgCritical, rt.appTitle());
    rt.endProgram();
}
} // namespace

RuntimeError::RuntimeError(int number, std::string description, std::string source)
    : m_number(number)
    , m_description(std::move(description))
    , m_source(std::move(source)) {}

std::string runtimeErrorText(const RuntimeError& e) {
    return "Run-time error '" + std::to_string(e.number()) + "':\n\n" + e.description();
}

bool insideHandler() {
    return g_depth > 0;
}

void dispatch(const std::function<void()>& handler) {
    if (g_depth > 0) {
        // Raised by another handler: let errors reach the caller.
        DepthGuard guard;
        handler();
        return;
    }
    if (Runtime::current().ending()) {
        return;
    }
    try {
        DepthGuard guard;
        handler();
    } catch (const ProgramEnded&) {
        // The program is ending; the event loop stops on its own.
    } catch (const RuntimeError& e) {
        try {
            failOutermost(e);
        } catch (const ProgramEnded&) {
        }
    } catch (const std::exception& e) {
        try {
            failOutermost(RuntimeError(err::kInvalidProcedureCall, e.what()));
        } catch (const ProgramEnded&) {
        }
    }
}

void ignoreErrors(const std::function<void()>& step) {
    try {
        step();
    } catch (const RuntimeError&) {
    } catch (const std::exception&) {
    }
}

bool tryStep(const std::function<void()>& step, RuntimeError* caught) {
    try {
        step();
        return true;
    } catch (const RuntimeError& e) {
        if (caught) {
            *caught = e;
        }
    } catch (const std::exception& e) {
        if (caught) {
            *caught = RuntimeError(err::kInvalidProcedureCall, e.what());
        }
    }
    return false;
}

} // namespace tk
