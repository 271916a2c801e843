#include "platform/Services.h"

namespace platform {

namespace {
Services installed;
}

const Services& Current() {
    return installed;
}

ScopedServices::ScopedServices(const Services& services) : previous_(installed) {
    installed = services;
}

ScopedServices::~ScopedServices() {
    installed = previous_;
}

}  // namespace platform
