#pragma once

#include <string>

// The names of config.xml: its files, elements, attributes, flag values and
// queries, each written once. Values are inserted into queries as they
// stand, without quoting: a value with an apostrophe makes the query
// malformed, and each caller decides what that means.
namespace TLPaymentPlugIns::schema {

// Files of a plug-in folder.
inline constexpr const char* kConfigFile = "config.xml";
inline constexpr const char* kIconFile = "plugin.ico";
inline constexpr const char* kLogoFile = "logo.bmp";
inline constexpr const char* kSnippetFile = "plugin.html";
// The file whose advisory lock writers of config.xml take (PlugInLock).
inline constexpr const char* kLockFile = "config.xml.lock";

// Attributes.
inline constexpr const char* kActive = "active";
inline constexpr const char* kUserDefined = "userDefined";
inline constexpr const char* kIsoCode = "isoCode";
inline constexpr const char* kLang = "lang";
inline constexpr const char* kCaption = "caption";
inline constexpr const char* kName = "name";
inline constexpr const char* kType = "type";
inline constexpr const char* kReadOnly = "readOnly";
inline constexpr const char* kLocalValue = "localValue";
inline constexpr const char* kOptionKey = "optionKey";
inline constexpr const char* kOptionValue = "optionValue";
inline constexpr const char* kParentFolder = "parentFolder";
inline constexpr const char* kRemoteFile = "remoteFile";
inline constexpr const char* kParse = "parse";
// A Param whose value must never be shown, logged or published.
inline constexpr const char* kSecret = "secret";

// The parameter string of a reference rendered into a shop page: its
// attributes (besides kType and kName) and its render types, compared after
// lower-casing.
inline constexpr const char* kRefElems = "elems";
inline constexpr const char* kRefParam = "param";
inline constexpr const char* kRefValue = "value";
inline constexpr const char* kRenderText = "text";
inline constexpr const char* kRenderOptionList = "optionlist";
inline constexpr const char* kRenderConditional = "conditional";

// Elements created by the program.
inline constexpr const char* kValueElement = "Value";

// Flag values, compared exactly.
inline constexpr const char* kTrue = "true";
inline constexpr const char* kFalse = "false";
inline constexpr const char* kCheckedOn = "1";
inline constexpr const char* kCheckedOff = "0";
inline constexpr const char* kGroupType = "GROUP";

// Queries on the document.
inline constexpr const char* kQueryID = "//ID";
inline constexpr const char* kQueryLanguages = "//Languages/AppLang/Language";
inline constexpr const char* kQueryDefaultLanguage = "//Languages/AppLang/Language[@default='true']";
inline constexpr const char* kQueryTopParams = "//Params/Param";
// Every Param at any depth, in document order: the first of each name is
// the one GetParam finds.
inline constexpr const char* kQueryAllParams = "//Param";
inline constexpr const char* kQueryFolders = "//Folders/Folder";
inline constexpr const char* kQueryFiles = "//Files/File";
inline constexpr const char* kQueryResourceFiles = "//Ressources/Files/File";

inline std::string QueryLanguage(const std::string& code) {
  return "//Languages/AppLang/Language[@isoCode='" + code + "']";
}
inline std::string QueryInfoName(const std::string& code) { return "//Info/Name[@lang='" + code + "']"; }
inline std::string QueryInfoCopyright(const std::string& code) { return "//Info/Copyright[@lang='" + code + "']"; }
inline std::string QueryInfoDesc(const std::string& code) { return "//Info/Desc[@lang='" + code + "']"; }
inline std::string QueryInfoProviderURL(const std::string& code) { return "//Info/ProviderURL[@lang='" + code + "']"; }
// The caption query keeps the legacy "&&" of the selection language.
inline std::string QueryCaption(const std::string& key, const std::string& code) {
  return "//*[@name='" + key + "'&&@lang='" + code + "']";
}
inline std::string QueryElementByName(const std::string& name) { return "//*[@name='" + name + "']"; }
inline constexpr const char* kQueryNamedElements = "//*[@name]";
inline std::string QueryParam(const std::string& name) { return "//Param[@name='" + name + "']"; }
inline std::string QueryGroup(const std::string& name) { return "//Param[@type='GROUP' and @name='" + name + "']"; }

// Queries relative to a parameter.
inline constexpr const char* kQueryMembers = "Param";
inline constexpr const char* kQueryValue = "Value";
inline constexpr const char* kQueryChecked = "Checked";
inline std::string QueryValue(const std::string& code) { return "Value[@lang='" + code + "']"; }
inline std::string QueryDesc(const std::string& code) { return "Desc[@lang='" + code + "']"; }
inline std::string QueryGroupCaption(const std::string& code) { return "Caption[@lang='" + code + "']"; }

}  // namespace TLPaymentPlugIns::schema
