#include "platform/qt/X11SharedImage.h"

#include <sys/ipc.h>
#include <sys/shm.h>
#include <xcb/shm.h>
#include <xcb/xcb.h>

#include <cstdlib>

namespace platform {

std::unique_ptr<X11SharedImage> X11SharedImage::Create(xcb_connection_t* connection, QSize pixels) {
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection, &xcb_shm_id);
    if (!extension || !extension->present || pixels.isEmpty()) return nullptr;
    const auto bytes = static_cast<std::size_t>(pixels.width()) * pixels.height() * 4;
    const int id = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (id < 0) return nullptr;
    void* memory = shmat(id, nullptr, 0);
    const xcb_shm_seg_t segment = xcb_generate_id(connection);
    // The server attaches at once or says why not; only then may the id go (the memory
    // itself stays until both sides have let go of it).
    xcb_generic_error_t* error =
        memory == reinterpret_cast<void*>(-1)
            ? nullptr
            : xcb_request_check(connection, xcb_shm_attach_checked(connection, segment, id, true));
    shmctl(id, IPC_RMID, nullptr);
    if (memory == reinterpret_cast<void*>(-1)) return nullptr;
    if (error) {
        std::free(error);
        shmdt(memory);
        return nullptr;
    }
    return std::make_unique<X11SharedImage>(Token{}, connection, segment, memory, pixels);
}

X11SharedImage::X11SharedImage(Token, xcb_connection_t* connection, std::uint32_t segment, void* memory,
                               QSize pixels)
    : connection_(connection), segment_(segment), memory_(memory), size_(pixels) {}

X11SharedImage::~X11SharedImage() {
    // The memory lasts until the server has detached too, after every put sent before.
    xcb_shm_detach(connection_, segment_);
    xcb_flush(connection_);
    shmdt(memory_);
}

}  // namespace platform
