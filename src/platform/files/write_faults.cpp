#include "platform/files/write_faults.h"

namespace pennory::files {
namespace {

thread_local detail::WriteFault t_fault;
thread_local bool t_active = false;

}  // namespace

ScopedWriteFault::ScopedWriteFault(WriteStep step, int error, std::size_t failAfterBytes) {
    t_fault = {step, error, failAfterBytes};
    t_active = true;
}

ScopedWriteFault::~ScopedWriteFault() { t_active = false; }

const detail::WriteFault* detail::activeWriteFault() { return t_active ? &t_fault : nullptr; }

}  // namespace pennory::files
