#pragma once

// The console's own texts for the operator.
inline constexpr const wchar_t* kWrongPasswordText = L"密码错误!";
inline constexpr const wchar_t* kEmptyAccountText = L"账号密码不能为空";
inline constexpr const wchar_t* kPasswordsDifferText = L"两次输入密码不一致!";
inline constexpr const wchar_t* kSaveFailedText = L"保存文件失败";
inline constexpr const wchar_t* kReadFailedText = L"读取文件失败";
inline constexpr const wchar_t* kAccountExistsFormat = L"账号:%s, 已经存在! 新建失败!";
