#pragma once
// Fixed control IDs of every window; automation and our end-to-end tests
// find controls by these numbers. docs/controls.md lists the same table.

namespace ids {

// Form1, the main window
constexpr int Label5 = 1001;
constexpr int VerLabel = 1002;
constexpr int Label7 = 1003;
constexpr int Label2 = 1004;
constexpr int Combo1 = 1005;
constexpr int btdrv = 1006;
constexpr int Text1 = 1007;
constexpr int Command2_0 = 1008; // "+"
constexpr int Command2_1 = 1009; // "-"
constexpr int Label6 = 1010;
constexpr int Label4 = 1011;
constexpr int profilecombo = 1012;
constexpr int Userwait = 1013;
constexpr int Label3 = 1014;
constexpr int Combo2 = 1015;
constexpr int Command1_0 = 1016; // "Set default"
constexpr int Command1_1 = 1017; // "And reboot"
constexpr int Command1_2 = 1018; // "And pow off"
constexpr int Command1_3 = 1019; // "End"
constexpr int Frame1 = 1020;
constexpr int Label8 = 1021;
constexpr int lestLabel = 1022;
constexpr int Label9 = 1023;
constexpr int offtimeLabel = 1024;
constexpr int Command3 = 1025;
constexpr int Check1 = 1026;
constexpr int labelAUTOREBOOT = 1027;
constexpr int labelnow = 1028;
constexpr int Line2 = 1029;
constexpr int Line1 = 1030;
constexpr int profilelist = 1031;
constexpr int Timev = 1032;
constexpr int labellest = 1033;
constexpr int Label1 = 1034;
constexpr int Timer1 = 1035;
constexpr int Timer2 = 1036;
constexpr int Timer3 = 1037;
// Form1's menu
constexpr int fl = 1101;
constexpr int ed = 1102;
constexpr int op = 1103;
constexpr int strtup = 1104;
constexpr int ar = 1105;
constexpr int hp = 1106;
constexpr int hlp = 1107;
constexpr int abt = 1108;

// CountDown
constexpr int CountDown_Pbar = 2001;
constexpr int CountDown_Command1 = 2002; // "CANCEL"
constexpr int CountDown_Timer1 = 2003;

// bootdrv
constexpr int bootdrv_Label1 = 3001;
constexpr int bootdrv_Drive1 = 3002;
constexpr int bootdrv_Command1 = 3003; // "OK"
constexpr int bootdrv_Command2 = 3004; // "Cancel"

} // namespace ids
