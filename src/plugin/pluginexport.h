#pragma once

// The entry points the host resolves by name: plain C calling convention,
// and the only symbols the library lets out (everything else is hidden).
#if defined(_WIN32)
#define K4K_PLUGIN_EXPORT __declspec(dllexport)
#define K4K_PLUGIN_CALL __cdecl
#elif defined(__GNUC__)
#define K4K_PLUGIN_EXPORT __attribute__((visibility("default")))
#define K4K_PLUGIN_CALL
#else
#define K4K_PLUGIN_EXPORT
#define K4K_PLUGIN_CALL
#endif
