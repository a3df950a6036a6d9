// Encodes a screen with the Drel encoder and prints each message as hex.
#include <carrowin/carrowin.h>

#include <cstdio>
#include <memory>

int main() {
  auto sender = std::make_shared<carrowin::CallbackMessageSender>(
      [](std::span<const uint8_t> message) {
        for (uint8_t b : message) std::printf("%02X ", b);
        std::printf("\n");
      });

  carrowin::Drel drel;
  drel.Initialize(std::make_shared<carrowin::StreamProcessTrace>(), sender,
                  /*bufferSize=*/1024, /*terminalNumber=*/17);
  drel.AttachTerminal();  // "17a", its own message

  drel.StartMessage(17, 'H');  // a screen message
  drel.SendRawData(u"E");      // any command bytes, flushed at 350 bytes
  drel.SendData();             // "17HE" reaches the callback

  try {
    carrowin::EncodeSmallNumber(300);
  } catch (const carrowin::Error& e) {
    std::fprintf(stderr, "%s\n", e.what());  // "Overflow (error 6, EncodeSmallNumber)"
  }
}
