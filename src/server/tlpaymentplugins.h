/*
 * tlpaymentplugins.h: the C interface of the payment plug-in library.
 *
 * Objects. Every object is an opaque handle (tlpp_object *) made by
 * tlpp_CreateObject from its class name, or handed out by a member
 * (tlpp_PlugIns_get_Item, the enumerator). A handle holds one reference;
 * tlpp_AddRef adds one and tlpp_Release drops one, and the object lives
 * while any reference is held. A plug-in handed out by a collection is an
 * object of its own: releasing the collection does not free a plug-in the
 * host still holds. The same plug-in is always the same handle while it is
 * alive. Handles are never reused, so a released handle, a null handle or a
 * handle of the wrong class is reported as an error, never dereferenced.
 *
 * Calls. Every call returns a status (TLPP_OK or one of the TLPP_E_ values)
 * and fills the caller's error record, which may be NULL, with the numbered
 * error: its number, source and description. On success the record is
 * cleared. Output pointers are set on every path (NULL or 0 on failure).
 *
 * Strings. Texts cross as NUL-terminated UTF-8; a text from the host that
 * is not valid UTF-8 is refused with error 5. Paths are handed back as they
 * were stored. File contents (the serialised document, a page snippet and
 * what the staging object sees) cross as bytes with their length, with a
 * NUL after the last byte for convenience. Every string the library
 * returns is allocated by the library and freed with tlpp_FreeString.
 *
 * Booleans that are properties of the objects are automation Booleans:
 * TLPP_TRUE (-1) and TLPP_FALSE (0); any non-zero value given is true.
 *
 * Optional arguments are passed as NULL when omitted.
 *
 * Threads: an object is used from one thread at a time. The configuration
 * dialog runs its modal loop inside tlpp_PlugIn_ShowConfigDialogue.
 *
 * The interface is stable within a major version (the soname's number).
 */
#ifndef TLPAYMENTPLUGINS_H
#define TLPAYMENTPLUGINS_H

#include <stddef.h>
#include <stdint.h>

#if defined(TLPP_C_BUILDING) && defined(__GNUC__)
#define TLPP_API __attribute__((visibility("default")))
#else
#define TLPP_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Statuses. The error record tells the numbered error in every case. */
#define TLPP_OK 0
/* A numbered error raised by a member. */
#define TLPP_E_ERROR 1
/* A null, released or unknown handle (91), or a member called on an object
   of another class (438). */
#define TLPP_E_HANDLE 2
/* An argument the interface refuses before calling the member: a required
   pointer that is NULL, a text that is not UTF-8 (5). */
#define TLPP_E_ARGUMENT 3
/* Out of memory (7). */
#define TLPP_E_MEMORY 4

#define TLPP_SOURCE_SIZE 128
#define TLPP_DESCRIPTION_SIZE 1024

/* A numbered error. Both texts are NUL-terminated UTF-8, cut at a
   character boundary when longer than the field. */
typedef struct tlpp_error {
  int32_t number;
  char source[TLPP_SOURCE_SIZE];
  char description[TLPP_DESCRIPTION_SIZE];
} tlpp_error;

#define TLPP_PATH_SIZE 4096

/* Where a numbered error happened, when it was raised for a file or a
   document: the path, the 1-based line and column, and the reason in the
   words of whoever found it (the XML parser, the operating system). Texts
   are empty and numbers 0 when unknown. Kept apart from tlpp_error, whose
   layout is fixed, and filled by the calls that take one. */
typedef struct tlpp_error_where {
  char path[TLPP_PATH_SIZE];
  int32_t line;
  int32_t column;
  char reason[TLPP_DESCRIPTION_SIZE];
} tlpp_error_where;

typedef int16_t tlpp_bool;
#define TLPP_TRUE ((tlpp_bool)-1)
#define TLPP_FALSE ((tlpp_bool)0)

typedef struct tlpp_object tlpp_object;

/* A length that tells the library to take the text up to its NUL. */
#define TLPP_NUL_TERMINATED ((size_t)-1)

/*
 * The host's staging object, as two callbacks on the host's user_data.
 * For each text to render the library calls ParseSnippet with the text and
 * the mode (1: render for publishing), then PCode, which hands back the
 * rendering: *text points to host memory that stays valid until the
 * callback's caller has copied it (the library copies it at once), and
 * *length is its length in bytes, or is left at TLPP_NUL_TERMINATED. A
 * callback that fails returns a non-zero value after filling error (number,
 * and optionally source and description); a number of 0 is taken as 440
 * "Automation error". A NULL callback is a member the object does not have:
 * error 438. The failure then takes the member's own path: staging
 * (tlpp_PlugIn_CopyPlugInFiles) goes on without it, the snippet
 * (tlpp_PlugIn_ParseSnippetFile) passes it to the caller. Callbacks may call
 * back into the library; they must not throw or jump out.
 */
typedef struct tlpp_stage_object {
  void *user_data;
  int (*ParseSnippet)(void *user_data, const char *text, size_t length, int16_t mode, tlpp_error *error);
  int (*PCode)(void *user_data, const char **text, size_t *length, tlpp_error *error);
} tlpp_stage_object;

/* ---- Objects ---------------------------------------------------------- */

/* class_name: "TLPaymentPlugIns.PlugIns" or "TLPaymentPlugIns.PlugIn"; any
   other name is error 429. */
TLPP_API int tlpp_CreateObject(const char *class_name, tlpp_object **object, tlpp_error *error);
TLPP_API int tlpp_AddRef(tlpp_object *object, tlpp_error *error);
/* Releasing NULL does nothing, as free does. */
TLPP_API int tlpp_Release(tlpp_object *object, tlpp_error *error);
/* 1 when no object is alive, so the library may be unloaded; else 0. */
TLPP_API int tlpp_CanUnloadNow(void);
/* Frees a string the library returned; NULL does nothing. */
TLPP_API void tlpp_FreeString(char *text);

/* ---- TLPaymentPlugIns.PlugIns ----------------------------------------- */

TLPP_API int tlpp_PlugIns_get_PlugInsPath(tlpp_object *plugIns, char **value, tlpp_error *error);
/* Stores the root folder and scans it. */
TLPP_API int tlpp_PlugIns_let_PlugInsPath(tlpp_object *plugIns, const char *pPlugInsPath, tlpp_error *error);
TLPP_API int tlpp_PlugIns_get_Count(tlpp_object *plugIns, int32_t *value, tlpp_error *error);
/* By 1-based position. */
TLPP_API int tlpp_PlugIns_get_Item(tlpp_object *plugIns, int32_t Index, tlpp_object **plugIn, tlpp_error *error);
/* By the plug-in's ID, in any letter case. */
TLPP_API int tlpp_PlugIns_get_ItemByKey(tlpp_object *plugIns, const char *Index, tlpp_object **plugIn,
                                        tlpp_error *error);
/* An enumerator over the plug-ins of the collection as it is now. */
TLPP_API int tlpp_PlugIns_get_NewEnum(tlpp_object *plugIns, tlpp_object **enumerator, tlpp_error *error);

/* The next plug-in, a new reference; *plugIn is NULL after the last. */
TLPP_API int tlpp_Enum_Next(tlpp_object *enumerator, tlpp_object **plugIn, tlpp_error *error);
TLPP_API int tlpp_Enum_Reset(tlpp_object *enumerator, tlpp_error *error);

/* ---- A scan that keeps going ------------------------------------------ */

/* Scans root as tlpp_PlugIns_let_PlugInsPath does, but a plug-in that
   cannot be loaded or filed does not stop it: every sub-folder with
   anything named config.xml, and every entry that cannot be examined (a
   link loop), gives one result. Fails only for the root itself (76 when it
   is not a folder, the file system's error when it cannot be listed), with
   where filled; where may be NULL. *scan walks the results with
   tlpp_Scan_Next and is released with tlpp_Release. */
TLPP_API int tlpp_ScanPlugIns(const char *root, tlpp_object **scan, tlpp_error *error, tlpp_error_where *where);
/* The next result: *folder (free with tlpp_FreeString) and either *plugIn,
   a new reference, or the error that kept it out in failure and
   failure_where (number 0 when the plug-in loaded; both may be NULL).
   *folder and *plugIn are NULL after the last result. */
TLPP_API int tlpp_Scan_Next(tlpp_object *scan, char **folder, tlpp_object **plugIn, tlpp_error *failure,
                            tlpp_error_where *failure_where, tlpp_error *error);

/* ---- TLPaymentPlugIns.PlugIn ------------------------------------------ */

TLPP_API int tlpp_PlugIn_get_mCharSet(tlpp_object *plugIn, int16_t *value, tlpp_error *error);
TLPP_API int tlpp_PlugIn_let_mCharSet(tlpp_object *plugIn, int16_t value, tlpp_error *error);
TLPP_API int tlpp_PlugIn_get_mCharSetIO(tlpp_object *plugIn, int16_t *value, tlpp_error *error);
TLPP_API int tlpp_PlugIn_let_mCharSetIO(tlpp_object *plugIn, int16_t value, tlpp_error *error);
TLPP_API int tlpp_PlugIn_get_ConfigPath(tlpp_object *plugIn, char **value, tlpp_error *error);
/* Stores the plug-in folder and loads its config.xml. */
TLPP_API int tlpp_PlugIn_let_ConfigPath(tlpp_object *plugIn, const char *pConfigPath, tlpp_error *error);
TLPP_API int tlpp_PlugIn_get_IconPath(tlpp_object *plugIn, char **value, tlpp_error *error);
TLPP_API int tlpp_PlugIn_get_ID(tlpp_object *plugIn, char **value, tlpp_error *error);
TLPP_API int tlpp_PlugIn_get_Name(tlpp_object *plugIn, const char *AppLang, char **value, tlpp_error *error);
TLPP_API int tlpp_PlugIn_get_Copyright(tlpp_object *plugIn, const char *AppLang, char **value, tlpp_error *error);
/* The configuration document as SaveConfiguration would write it, in its
   declared encoding. length may be NULL. */
TLPP_API int tlpp_PlugIn_get_Config(tlpp_object *plugIn, char **text, size_t *length, tlpp_error *error);
TLPP_API int tlpp_PlugIn_get_IsUserDef(tlpp_object *plugIn, tlpp_bool *value, tlpp_error *error);
TLPP_API int tlpp_PlugIn_get_IsActive(tlpp_object *plugIn, tlpp_bool *value, tlpp_error *error);
/* In memory; SaveConfiguration writes it. */
TLPP_API int tlpp_PlugIn_let_IsActive(tlpp_object *plugIn, tlpp_bool pIsActive, tlpp_error *error);
/* Never fails for want of a value: "" when none is found. */
TLPP_API int tlpp_PlugIn_GetParam(tlpp_object *plugIn, const char *ParamName, const char *StoreLang, char **value,
                                  tlpp_error *error);
TLPP_API int tlpp_PlugIn_LoadConfiguration(tlpp_object *plugIn, tlpp_error *error);
TLPP_API int tlpp_PlugIn_SaveConfiguration(tlpp_object *plugIn, tlpp_error *error);
/* Opens the modal configuration dialog; CharSet and CharSetIO point to the
   character sets, or are NULL for 0. Error 100995 when no dialog can be
   shown: no display, or the Qt dialog module (package
   tlpaymentplugins-dialog) or Qt missing; the description says which. */
TLPP_API int tlpp_PlugIn_ShowConfigDialogue(tlpp_object *plugIn, const char *AppLang, const char *StoreLang,
                                            const int16_t *CharSet, const int16_t *CharSetIO, tlpp_error *error);
/* Stages the plug-in into pStagePath; silent: it reports only a bad handle
   or argument. StageObj may be NULL. */
TLPP_API int tlpp_PlugIn_CopyPlugInFiles(tlpp_object *plugIn, const char *pStagePath, const tlpp_stage_object *StageObj,
                                         tlpp_error *error);
/* The rendered page snippet. StageObj may be NULL. length may be NULL. */
TLPP_API int tlpp_PlugIn_ParseSnippetFile(tlpp_object *plugIn, const tlpp_stage_object *StageObj, char **text,
                                          size_t *length, tlpp_error *error);
TLPP_API int tlpp_PlugIn_ParseParam(tlpp_object *plugIn, const char *strParam, const char *StoreLang, char **value,
                                    tlpp_error *error);

/* ---- Beyond the component interface -------------------------------------- */

/* What would break, or may surprise, a published shop: one line per finding,
   "ID\tLANGUAGE\tSEVERITY\tMESSAGE\n", "" when
   there is nothing to say. StoreLangs is a comma-separated list ("de,en"), or
   NULL or "" for every language the plug-in declares. The plug-in's document
   is never changed. */
TLPP_API int tlpp_PlugIn_PublishCheck(tlpp_object *plugIn, const char *StoreLangs, char **findings, tlpp_error *error);
/* The same findings with each one's code, a stable word for what kind of
   finding it is ("missing-file", "empty-param", ...): one line per finding,
   "ID\tLANGUAGE\tSEVERITY\tCODE\tMESSAGE\n", the lines of `tlpp check`. */
TLPP_API int tlpp_PlugIn_PublishFindings(tlpp_object *plugIn, const char *StoreLangs, char **findings,
                                         tlpp_error *error);
/* What staging left in pStagePath for the plug-in: the lines of
   `tlpp stage --manifest`. */
TLPP_API int tlpp_PlugIn_StageManifest(tlpp_object *plugIn, const char *pStagePath, char **manifest, tlpp_error *error);

/* ---- The writers' lock of a plug-in folder ------------------------------
 * A host that changes and saves a plug-in's config.xml takes the folder's
 * lock first and lets it go after SaveConfiguration, so that it never
 * overwrites a change another writer (another host, tlpp set) saved in the
 * meantime: an exclusive flock on config.xml.lock beside config.xml.
 * Acquire waits up to timeout_ms while another writer holds it; error
 * 100996 when the wait runs out. Release takes NULL. */
typedef struct tlpp_plugin_lock tlpp_plugin_lock;
TLPP_API int tlpp_PlugInLock_Acquire(const char *folder, int32_t timeout_ms, tlpp_plugin_lock **lock,
                                     tlpp_error *error);
TLPP_API void tlpp_PlugInLock_Release(tlpp_plugin_lock *lock);

/* ---- A new version of a plug-in ------------------------------------------
 * The upgrade of the plug-in in plugInFolder to the version in newFolder,
 * keeping the owner's values and files (tlpp upgrade). A plan is one line a
 * change, "KIND\tNAME\tLANGUAGE\tOLD\tNEW\n", KIND one of carried,
 * converted, dropped, new, kept-file, conflict; values are "(secret)" for a
 * secret parameter, and tabs, line breaks and backslashes in them are
 * escaped (\t, \n, \r, \\). Error 100997 when the new version is refused. */

/* The plan; nothing is written. complete (may be NULL) is TLPP_TRUE when no
   value is dropped or refused. */
TLPP_API int tlpp_PlugInUpgrade_Plan(const char *plugInFolder, const char *newFolder, char **lines, tlpp_bool *complete,
                                     tlpp_error *error);
/* Plans again under the folder's lock (waiting up to timeout_ms; 100996 when
   it runs out) and swaps the new version in. backupFolder NULL or "" keeps
   the old folder in .tlpp-upgrade beside it. *backupPath is where it went;
   lines and complete (both may be NULL) are the plan that was applied. */
TLPP_API int tlpp_PlugInUpgrade_Apply(const char *plugInFolder, const char *newFolder, int32_t timeout_ms,
                                      const char *backupFolder, char **backupPath, char **lines, tlpp_bool *complete,
                                      tlpp_error *error);
/* Swaps the latest backup back in; *restoredPath is the backup that came
   back. Error 100998 when there is none. */
TLPP_API int tlpp_PlugInUpgrade_Rollback(const char *plugInFolder, int32_t timeout_ms, const char *backupFolder,
                                         char **restoredPath, tlpp_error *error);

#ifdef __cplusplus
}
#endif

#endif /* TLPAYMENTPLUGINS_H */
