/*
 * publish.c: publishes a shop through the library's C interface.
 *
 *   publish_c ROOT STAGE [STORE_LANG]
 *
 * Scans ROOT, keeps the active plug-ins, stages each into the folder STAGE
 * and prints each one's rendered page snippet after a line "== ID". The
 * staging object is two callbacks that replace every parameter reference
 * <!--#param ... --> by what the plug-in's ParseParam renders for it.
 *
 * Build: cc publish.c $(pkg-config --cflags --libs tlpaymentplugins)
 */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <tlpaymentplugins.h>

static const char kOpen[] = "<!--#param";
static const char kClose[] = "-->";

/* The staging object's state: the plug-in whose parameters it renders and
   the rendering of the last text. */
struct renderer {
  tlpp_object *plugIn;
  const char *storeLang;
  char *pcode;
  size_t length;
};

static const char *find(const char *from, const char *end, const char *word) {
  size_t n = strlen(word);
  for (; (size_t)(end - from) >= n; ++from) {
    if (memcmp(from, word, n) == 0) return from;
  }
  return NULL;
}

static int out_of_memory(tlpp_error *error) {
  error->number = 7;
  strcpy(error->description, "Out of memory");
  return 1;
}

static int append(struct renderer *r, const char *text, size_t length, tlpp_error *error) {
  char *grown = realloc(r->pcode, r->length + length + 1);
  if (grown == NULL) return out_of_memory(error);
  memcpy(grown + r->length, text, length);
  r->pcode = grown;
  r->length += length;
  r->pcode[r->length] = '\0';
  return 0;
}

static int render_reference(struct renderer *r, const char *strParam, size_t length, tlpp_error *error) {
  char *rendered = NULL;
  char *param = malloc(length + 1);
  int status;
  if (param == NULL) return out_of_memory(error);
  memcpy(param, strParam, length);
  param[length] = '\0';
  status = tlpp_PlugIn_ParseParam(r->plugIn, param, r->storeLang, &rendered, error);
  if (status == TLPP_OK) status = append(r, rendered, strlen(rendered), error);
  tlpp_FreeString(rendered);
  free(param);
  return status;
}

static int ParseSnippet(void *user_data, const char *text, size_t length, int16_t mode, tlpp_error *error) {
  struct renderer *r = user_data;
  const char *at = text;
  const char *end = text + length;
  (void)mode; /* 1: render for publishing, the only mode */
  r->length = 0;
  if (append(r, "", 0, error)) return 1;
  for (;;) {
    const char *open = find(at, end, kOpen);
    const char *close = open != NULL ? find(open + strlen(kOpen), end, kClose) : NULL;
    if (close == NULL) break; /* an unclosed reference stays text */
    if (append(r, at, (size_t)(open - at), error)) return 1;
    if (render_reference(r, open + strlen(kOpen), (size_t)(close - open) - strlen(kOpen), error)) return 1;
    at = close + strlen(kClose);
  }
  return append(r, at, (size_t)(end - at), error);
}

static int PCode(void *user_data, const char **text, size_t *length, tlpp_error *error) {
  struct renderer *r = user_data;
  (void)error;
  *text = r->pcode;
  *length = r->length;
  return 0;
}

/* Stages one plug-in and prints its snippet, when it is active. */
static int publish(tlpp_object *plugIn, const char *stage, const char *storeLang, tlpp_error *error) {
  struct renderer r = {NULL, NULL, NULL, 0};
  tlpp_stage_object renderer = {NULL, ParseSnippet, PCode};
  tlpp_bool active = TLPP_FALSE;
  char *id = NULL;
  char *snippet = NULL;
  size_t length = 0;
  int status = tlpp_PlugIn_get_IsActive(plugIn, &active, error);
  if (status != TLPP_OK || !active) return status;
  r.plugIn = plugIn;
  r.storeLang = storeLang;
  renderer.user_data = &r;
  status = tlpp_PlugIn_CopyPlugInFiles(plugIn, stage, &renderer, error);
  if (status == TLPP_OK) status = tlpp_PlugIn_ParseSnippetFile(plugIn, &renderer, &snippet, &length, error);
  if (status == TLPP_OK) status = tlpp_PlugIn_get_ID(plugIn, &id, error);
  if (status == TLPP_OK) {
    printf("== %s\n", id);
    fwrite(snippet, 1, length, stdout);
    putchar('\n');
  }
  tlpp_FreeString(id);
  tlpp_FreeString(snippet);
  free(r.pcode);
  return status;
}

int main(int argc, char **argv) {
  tlpp_error error;
  tlpp_object *plugIns = NULL;
  tlpp_object *walk = NULL;
  tlpp_object *plugIn = NULL;
  int status;
  if (argc < 3) {
    fprintf(stderr, "usage: publish_c ROOT STAGE [STORE_LANG]\n");
    return 2;
  }
  status = tlpp_CreateObject("TLPaymentPlugIns.PlugIns", &plugIns, &error);
  if (status == TLPP_OK) status = tlpp_PlugIns_let_PlugInsPath(plugIns, argv[1], &error);
  if (status == TLPP_OK) status = tlpp_PlugIns_get_NewEnum(plugIns, &walk, &error);
  while (status == TLPP_OK) {
    status = tlpp_Enum_Next(walk, &plugIn, &error);
    if (status != TLPP_OK || plugIn == NULL) break;
    status = publish(plugIn, argv[2], argc > 3 ? argv[3] : NULL, &error);
    tlpp_Release(plugIn, NULL);
  }
  tlpp_Release(walk, NULL);
  tlpp_Release(plugIns, NULL);
  if (status != TLPP_OK) {
    fprintf(stderr, "error %ld: %s (%s)\n", (long)error.number, error.description, error.source);
    return 1;
  }
  return 0;
}
