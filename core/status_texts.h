#pragma once

// Every text the status bar can show. UTF-8: the window shows them through the wide API, so they
// read right whatever the system code page is.

inline constexpr char8_t kStatusAtStart[] = u8"状态：请文件拖入文件到本窗口 ";  // the trailing space is part of it

inline constexpr char8_t kStatusEnterSearchText[] = u8"状态：请输入文本后搜索！";
inline constexpr char8_t kStatusNotFound[] = u8"状态：未找到(加壳软件请脱壳)";

inline constexpr char8_t kStatusReplacementTooLong[] = u8"状态：用做替换的文本不能比初始文本长！";
inline constexpr char8_t kStatusEnterPosition[] = u8"状态：请输入位置";
inline constexpr char8_t kStatusPatched[] = u8"状态：修改完成";
inline constexpr char8_t kStatusPatchOutOfMemory[] = u8"状态：内存不足，修改未完成！";

inline constexpr char8_t kStatusReading[] = u8"状态：读取文件中！";
inline constexpr char8_t kStatusReadDone[] = u8"状态：文件读入完成！";
inline constexpr char8_t kStatusFileEmpty[] = u8"状态：文件为空！";
inline constexpr char8_t kStatusFileTooLarge[] = u8"状态：文件太大，无法读入！";
inline constexpr char8_t kStatusReadFailed[] = u8"状态：文件读取失败！";
inline constexpr char8_t kStatusSaved[] = u8"状态：文件保存成功";
inline constexpr char8_t kStatusSaveFailed[] = u8"状态：文件保存失败！";
