#pragma once

// The console's own texts for the operator, every message it shows in one place.
inline constexpr const wchar_t* kWrongPasswordText = L"密码错误!";
inline constexpr const wchar_t* kEmptyAccountText = L"账号密码不能为空";
inline constexpr const wchar_t* kPasswordsDifferText = L"两次输入密码不一致!";
inline constexpr const wchar_t* kPasswordUnsaveableText = L"密码含有无法保存的字符!";
inline constexpr const wchar_t* kSaveFailedText = L"保存文件失败";
inline constexpr const wchar_t* kReadFailedText = L"读取文件失败";
inline constexpr const wchar_t* kAccountExistsFormat = L"账号:%s, 已经存在! 新建失败!";

inline constexpr const wchar_t* kDeviceIdInvalidText = L"设备ID不能包涵字符 '{' '}' '|',并且不能为空";
inline constexpr const wchar_t* kApiKeyInvalidText = L"API-KEY不能包涵字符 '{' '}' '|',并且不能为空";
inline constexpr const wchar_t* kPlatformIdInvalidText = L"DEVICE-ID不能包涵字符 '{' '}' '|',并且不能为空";
inline constexpr const wchar_t* kDeviceNameInvalidText = L"名称不能包涵字符 '{' '}' '|',并且不能为空";
inline constexpr const wchar_t* kAddressInvalidText = L"地址不能包涵字符 '{' '}' '|',并且不能为空";
inline constexpr const wchar_t* kNumberInvalidText = L"编号不能包涵字符 '{' '}' '|',并且不能为空";
inline constexpr const wchar_t* kDeviceIdUnsaveableText = L"设备ID含有无法保存的字符";
inline constexpr const wchar_t* kApiKeyUnsaveableText = L"API-KEY含有无法保存的字符";
inline constexpr const wchar_t* kPlatformIdUnsaveableText = L"DEVICE-ID含有无法保存的字符";
inline constexpr const wchar_t* kDeviceNameUnsaveableText = L"名称含有无法保存的字符";
inline constexpr const wchar_t* kAddressUnsaveableText = L"地址含有无法保存的字符";
inline constexpr const wchar_t* kNumberUnsaveableText = L"编号含有无法保存的字符";
inline constexpr const wchar_t* kNoUserChosenText = L"请选择用户";
inline constexpr const wchar_t* kUserNameEmptyText = L"用户名不能为空！";
inline constexpr const wchar_t* kUserNameBraceText = L"用户名不允许包涵字符 '{' 和 '}'！";
inline constexpr const wchar_t* kUserNameUnsaveableText = L"用户名含有无法保存的字符！";
inline constexpr const wchar_t* kUserExistsFormat = L"用户名:%s, 已经存在! 添加失败!";
inline constexpr const wchar_t* kPromptCaption = L"提示";
inline constexpr const wchar_t* kDeleteDevicePromptFormat = L"是否确定要删除该设备:%s ？";
inline constexpr const wchar_t* kDeleteUserPromptFormat = L"是否确定要删除该用户:%s ？该用户下的所有设备也将删除！";
