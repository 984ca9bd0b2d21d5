// libcurl is loaded when the first HTTP call needs it, not at start: it
// brings some twenty libraries (TLS, SSH, LDAP, Kerberos) whose loading and
// symbol binding would otherwise delay the first window, though nothing needs
// the network until the update check a second later.
//
// The program is linked against nothing of libcurl. The functions the layer
// calls are defined here instead and forward through a table of pointers that
// is filled on the first call. Where the library cannot be loaded, each
// returns libcurl's own failure value, which the layer already handles as a
// failed transfer.
//
// A libcurl older than 7.85 counts as missing: the layer's protocol limits
// rest on CURLOPT_PROTOCOLS_STR and CURLOPT_REDIR_PROTOCOLS_STR (an older
// library ignores them and would follow a redirect to any scheme it knows),
// and its waits on curl_multi_poll. The update check then fails as it does
// without a network, silently towards the user: a check that cannot be made
// safely is better not made.
#include <curl/curl.h>
#include <dlfcn.h>

#include <cstdarg>

namespace {

constexpr const char* kLibrary = "libcurl.so.4";
constexpr unsigned kMinimumVersion = 0x075500;  // 7.85.0

struct CurlTable {
  decltype(&curl_global_init) global_init = nullptr;
  decltype(&curl_easy_init) easy_init = nullptr;
  decltype(&curl_easy_cleanup) easy_cleanup = nullptr;
  decltype(&curl_easy_reset) easy_reset = nullptr;
  decltype(&curl_easy_setopt) easy_setopt = nullptr;
  decltype(&curl_easy_getinfo) easy_getinfo = nullptr;
  decltype(&curl_easy_strerror) easy_strerror = nullptr;
  decltype(&curl_easy_pause) easy_pause = nullptr;
  decltype(&curl_multi_init) multi_init = nullptr;
  decltype(&curl_multi_cleanup) multi_cleanup = nullptr;
  decltype(&curl_multi_add_handle) multi_add_handle = nullptr;
  decltype(&curl_multi_remove_handle) multi_remove_handle = nullptr;
  decltype(&curl_multi_perform) multi_perform = nullptr;
  decltype(&curl_multi_poll) multi_poll = nullptr;
  decltype(&curl_multi_wakeup) multi_wakeup = nullptr;
  decltype(&curl_multi_info_read) multi_info_read = nullptr;
  decltype(&curl_multi_strerror) multi_strerror = nullptr;
  decltype(&curl_slist_append) slist_append = nullptr;
  decltype(&curl_slist_free_all) slist_free_all = nullptr;
};

template <typename F>
void Bind(void* library, F& slot, const char* name) {
  slot = reinterpret_cast<F>(dlsym(library, name));
}

CurlTable Load() {
  CurlTable t;
  // Kept for the life of the process, as libcurl's global state is.
  void* library = dlopen(kLibrary, RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) return t;
  const auto versionInfo =
      reinterpret_cast<decltype(&curl_version_info)>(dlsym(library, "curl_version_info"));
  const curl_version_info_data* version = versionInfo ? versionInfo(CURLVERSION_NOW) : nullptr;
  if (version == nullptr || version->version_num < kMinimumVersion) {
    dlclose(library);
    return t;
  }
  Bind(library, t.global_init, "curl_global_init");
  Bind(library, t.easy_init, "curl_easy_init");
  Bind(library, t.easy_cleanup, "curl_easy_cleanup");
  Bind(library, t.easy_reset, "curl_easy_reset");
  Bind(library, t.easy_setopt, "curl_easy_setopt");
  Bind(library, t.easy_getinfo, "curl_easy_getinfo");
  Bind(library, t.easy_strerror, "curl_easy_strerror");
  Bind(library, t.easy_pause, "curl_easy_pause");
  Bind(library, t.multi_init, "curl_multi_init");
  Bind(library, t.multi_cleanup, "curl_multi_cleanup");
  Bind(library, t.multi_add_handle, "curl_multi_add_handle");
  Bind(library, t.multi_remove_handle, "curl_multi_remove_handle");
  Bind(library, t.multi_perform, "curl_multi_perform");
  Bind(library, t.multi_poll, "curl_multi_poll");
  Bind(library, t.multi_wakeup, "curl_multi_wakeup");
  Bind(library, t.multi_info_read, "curl_multi_info_read");
  Bind(library, t.multi_strerror, "curl_multi_strerror");
  Bind(library, t.slist_append, "curl_slist_append");
  Bind(library, t.slist_free_all, "curl_slist_free_all");
  return t;
}

const CurlTable& Curl() {
  static const CurlTable table = Load();  // thread-safe, once
  return table;
}

}  // namespace

// The names are parenthesised: curl.h may define the variadic ones as
// type-checking macros.
extern "C" {

CURLcode(curl_global_init)(long flags) {
  return Curl().global_init ? Curl().global_init(flags) : CURLE_FAILED_INIT;
}

CURL*(curl_easy_init)(void) {
  return Curl().easy_init ? Curl().easy_init() : nullptr;
}

void(curl_easy_cleanup)(CURL* handle) {
  if (Curl().easy_cleanup) Curl().easy_cleanup(handle);
}

void(curl_easy_reset)(CURL* handle) {
  if (Curl().easy_reset) Curl().easy_reset(handle);
}

// The value's type follows from the option's number, as in libcurl itself.
CURLcode(curl_easy_setopt)(CURL* handle, CURLoption option, ...) {
  const auto setopt = Curl().easy_setopt;
  if (setopt == nullptr) return CURLE_FAILED_INIT;
  va_list args;
  va_start(args, option);
  CURLcode result;
  if (option < CURLOPTTYPE_OBJECTPOINT)
    result = setopt(handle, option, va_arg(args, long));
  else if (option < CURLOPTTYPE_FUNCTIONPOINT)
    result = setopt(handle, option, va_arg(args, void*));
  else if (option < CURLOPTTYPE_OFF_T)
    result = setopt(handle, option, va_arg(args, void (*)()));
  else if (option < CURLOPTTYPE_BLOB)
    result = setopt(handle, option, va_arg(args, curl_off_t));
  else
    result = setopt(handle, option, va_arg(args, void*));
  va_end(args);
  return result;
}

// Every kind of information is returned through a pointer.
CURLcode(curl_easy_getinfo)(CURL* handle, CURLINFO info, ...) {
  const auto getinfo = Curl().easy_getinfo;
  if (getinfo == nullptr) return CURLE_FAILED_INIT;
  va_list args;
  va_start(args, info);
  const CURLcode result = getinfo(handle, info, va_arg(args, void*));
  va_end(args);
  return result;
}

const char*(curl_easy_strerror)(CURLcode code) {
  return Curl().easy_strerror ? Curl().easy_strerror(code) : "libcurl could not be loaded";
}

CURLcode(curl_easy_pause)(CURL* handle, int bitmask) {
  return Curl().easy_pause ? Curl().easy_pause(handle, bitmask) : CURLE_FAILED_INIT;
}

CURLM*(curl_multi_init)(void) {
  return Curl().multi_init ? Curl().multi_init() : nullptr;
}

CURLMcode(curl_multi_cleanup)(CURLM* multi) {
  return Curl().multi_cleanup ? Curl().multi_cleanup(multi) : CURLM_BAD_HANDLE;
}

CURLMcode(curl_multi_add_handle)(CURLM* multi, CURL* handle) {
  return Curl().multi_add_handle ? Curl().multi_add_handle(multi, handle) : CURLM_BAD_HANDLE;
}

CURLMcode(curl_multi_remove_handle)(CURLM* multi, CURL* handle) {
  return Curl().multi_remove_handle ? Curl().multi_remove_handle(multi, handle) : CURLM_BAD_HANDLE;
}

CURLMcode(curl_multi_perform)(CURLM* multi, int* running) {
  return Curl().multi_perform ? Curl().multi_perform(multi, running) : CURLM_BAD_HANDLE;
}

CURLMcode(curl_multi_poll)(CURLM* multi, struct curl_waitfd extra[], unsigned int count,
                           int timeoutMs, int* ready) {
  return Curl().multi_poll ? Curl().multi_poll(multi, extra, count, timeoutMs, ready)
                           : CURLM_BAD_HANDLE;
}

CURLMcode(curl_multi_wakeup)(CURLM* multi) {
  return Curl().multi_wakeup ? Curl().multi_wakeup(multi) : CURLM_BAD_HANDLE;
}

CURLMsg*(curl_multi_info_read)(CURLM* multi, int* queued) {
  return Curl().multi_info_read ? Curl().multi_info_read(multi, queued) : nullptr;
}

const char*(curl_multi_strerror)(CURLMcode code) {
  return Curl().multi_strerror ? Curl().multi_strerror(code) : "libcurl could not be loaded";
}

struct curl_slist*(curl_slist_append)(struct curl_slist* list, const char* text) {
  return Curl().slist_append ? Curl().slist_append(list, text) : nullptr;
}

void(curl_slist_free_all)(struct curl_slist* list) {
  if (Curl().slist_free_all) Curl().slist_free_all(list);
}

}  // extern "C"
