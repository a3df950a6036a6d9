// A sign-on screen driven the way a host application drives a terminal: the
// worker feeds the terminal's messages to ExecuteBackground, the page's
// events tell the application what the operator did, and every reply goes
// out as one message. Here the "terminal" is a few hand-written messages.
#include <carrowin/carrowin.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {
void Print(std::span<const uint8_t> message) {
  std::printf("sent: ");
  for (uint8_t byte : message) {
    std::printf(byte >= 0x20 && byte < 0x7F ? "%c" : "\\x%02X", byte);
  }
  std::printf("\n");
}
}  // namespace

int main() {
  // The terminal's settings record: its number on the radio network.
  carrowin::MemorySettingsStore::Shared()->SetSetting(u"Terminal", u"Dock1", u"TerminalId",
                                                      carrowin::Variant(int32_t{17}));
  auto terminal = carrowin::Terminal::Create();
  terminal->Initialize(std::make_shared<carrowin::InProcessConnection>(
                           std::make_shared<carrowin::CallbackMessageSender>(Print)),
                       u"Dock1");
  auto worker = std::make_shared<carrowin::InProcessThread>();
  terminal->SetThread(worker);

  auto signOn = terminal->Pages()->Add(u"SignOn");
  signOn->Fields()->AddText(1, u"Title", 1, 1, u"Warehouse sign on");
  signOn->Fields()->AddText(2, u"User", 3, 1, u"User:");
  signOn->Fields()->AddEntry(3, u"User", 3, 7, 8);
  signOn->evtFunctionKey.Connect([&](int32_t& key, std::u16string& field) {
    const std::u16string user = signOn->Fields()->Item(u"User")->Data();
    std::printf("key %d in %s, user %s\n", key, carrowin::ToUtf8(field).c_str(),
                carrowin::ToUtf8(user).c_str());
    signOn->StartEntryAdv(u"User", u"Welcome " + user);
  });
  // The parameter reply arrives when the terminal powers on: show the screen.
  terminal->evtInitialized.Connect([&] { signOn->Display(u"User"); });

  // Power on, the parameter reply, then "ANN" typed into field 3 and key 1.
  for (const std::string message : {"I", "R!1F00\x68\xA8\x34\x30", "R=33ANNF13"}) {
    worker->PostBytes(std::vector<uint8_t>(message.begin(), message.end()));
    terminal->ExecuteBackground();
  }
}
