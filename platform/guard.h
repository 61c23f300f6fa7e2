// SPDX-License-Identifier: GPL-3.0-or-later
// Handlers that Qt calls. Qt is not exception-safe: a run-time error (a Fault,
// or any other exception) ends the handler it happened in and nothing more;
// the display keeps the state it had.
#pragma once

#include <exception>
#include <utility>

namespace veltrax::platform {

template <typename F>
void Guard(F&& handler) noexcept
{
    try {
        std::forward<F>(handler)();
    } catch (const std::exception&) {
        // the rest of this handler is skipped
    }
}

// A slot without arguments that runs handler() guarded.
template <typename F>
auto Guarded(F handler)
{
    return [handler]() noexcept { Guard(handler); };
}

}  // namespace veltrax::platform
