// A stand-in libcurl.so.4 for the loader's tests: it transfers nothing.
// MARNOVA_STANDIN_CURL_VERSION (hexadecimal, e.g. 075400) is the version it
// reports, MARNOVA_STANDIN_CURL_REFUSE the number of the one option its
// curl_easy_setopt refuses (read at every call). standin_easy_inits and
// standin_transfers count what reached it.
#include <curl/curl.h>

#include <cstdarg>
#include <cstdlib>

extern "C" {

__attribute__((visibility("default"))) int standin_easy_inits = 0;
__attribute__((visibility("default"))) int standin_transfers = 0;

namespace {
char gHandle;  // every handle: nothing is looked at through it
curl_slist gList{};
}  // namespace

curl_version_info_data*(curl_version_info)(CURLversion) {
  static curl_version_info_data data{};
  const char* version = std::getenv("MARNOVA_STANDIN_CURL_VERSION");
  data.version_num = version ? static_cast<unsigned>(std::strtoul(version, nullptr, 16)) : 0x075800;
  data.version = "stand-in";
  return &data;
}
CURLcode(curl_global_init)(long) {
  return CURLE_OK;
}
CURL*(curl_easy_init)(void) {
  ++standin_easy_inits;
  return &gHandle;
}
void(curl_easy_cleanup)(CURL*) {}
void(curl_easy_reset)(CURL*) {}
CURLcode(curl_easy_setopt)(CURL*, CURLoption option, ...) {
  const char* refused = std::getenv("MARNOVA_STANDIN_CURL_REFUSE");
  return refused && std::atoi(refused) == static_cast<int>(option) ? CURLE_NOT_BUILT_IN : CURLE_OK;
}
CURLcode(curl_easy_getinfo)(CURL*, CURLINFO, ...) {
  return CURLE_UNKNOWN_OPTION;
}
const char*(curl_easy_strerror)(CURLcode) {
  return "stand-in";
}
CURLcode(curl_easy_pause)(CURL*, int) {
  return CURLE_OK;
}
CURLM*(curl_multi_init)(void) {
  return &gHandle;
}
CURLMcode(curl_multi_cleanup)(CURLM*) {
  return CURLM_OK;
}
CURLMcode(curl_multi_add_handle)(CURLM*, CURL*) {
  ++standin_transfers;
  return CURLM_BAD_HANDLE;  // and so the transfer fails at once
}
CURLMcode(curl_multi_remove_handle)(CURLM*, CURL*) {
  return CURLM_OK;
}
CURLMcode(curl_multi_perform)(CURLM*, int* running) {
  *running = 0;
  return CURLM_BAD_HANDLE;
}
CURLMcode(curl_multi_poll)(CURLM*, curl_waitfd*, unsigned, int, int*) {
  return CURLM_OK;
}
CURLMcode(curl_multi_wakeup)(CURLM*) {
  return CURLM_OK;
}
CURLMsg*(curl_multi_info_read)(CURLM*, int*) {
  return nullptr;
}
const char*(curl_multi_strerror)(CURLMcode) {
  return "stand-in";
}
curl_slist*(curl_slist_append)(curl_slist*, const char*) {
  return &gList;
}
void(curl_slist_free_all)(curl_slist*) {}

}  // extern "C"
