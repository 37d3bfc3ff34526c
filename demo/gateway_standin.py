"""A local stand-in for the operator's e-mail-to-SMS gateway, built on aiosmtpd.

Every message it takes is printed as a person reads it: the envelope (HELO, MAIL FROM,
RCPT TO) and the text, decoded from Windows-1251. With --json it prints one JSON object
per message instead, for tests. It prints "listening <port>" once it is ready.

Like the operator's gateway and strict servers such as OpenSMTPD, it wants the envelope
as RFC 5321 writes it, "MAIL FROM:<address>" and "RCPT TO:<address>", and refuses with
550 any recipient but "38067" and seven digits at one of the two gateway domains, so a
mistyped number is refused as it would be for real. To see the other failure boxes, pick
a number that ends in
  0000  the subscriber is refused (550 at RCPT TO);
  9999  the gateway hangs up at RCPT TO without a word.
"""
import argparse
import asyncio
import json
import re
import sys

from aiosmtpd.smtp import SMTP

SUBSCRIBER = re.compile(r"38067[0-9]{7}@(sms|2sms)\.kyivstar\.net", re.ASCII)
BRACKETED = re.compile(r"(FROM|TO):<[^<>]*>( .*)?", re.ASCII | re.IGNORECASE)


class StrictSMTP(SMTP):
    """Refuses an envelope address without angle brackets, as OpenSMTPD does."""

    async def smtp_MAIL(self, arg):
        if arg and not BRACKETED.fullmatch(arg):
            return await self.push("553 5.1.0 Sender address syntax error")
        return await super().smtp_MAIL(arg)

    async def smtp_RCPT(self, arg):
        if arg and not BRACKETED.fullmatch(arg):
            return await self.push("501 5.1.3 Bad recipient address syntax")
        return await super().smtp_RCPT(arg)


def local_part(address):
    return address.split("@")[0]


class Gateway:
    def __init__(self, as_json):
        self.as_json = as_json

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if local_part(address).endswith("9999"):
            self.note(f"hung up on RCPT TO:{address}")
            server.transport.close()
            return "421 closing"
        if local_part(address).endswith("0000"):
            self.note(f"refused RCPT TO:{address} (numbers ending in 0000 are refused)")
            return "550 5.1.1 No such subscriber"
        if not SUBSCRIBER.fullmatch(address):
            self.note(f"refused RCPT TO:{address} (not 38067 and seven digits at a gateway domain)")
            return "550 5.1.1 No such subscriber"
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        record = {
            "helo": session.host_name,
            "mail_from": envelope.mail_from,
            "rcpt_tos": envelope.rcpt_tos,
            "data": envelope.original_content.decode("cp1251", errors="replace"),
        }
        if self.as_json:
            print(json.dumps(record, ensure_ascii=False), flush=True)
        else:
            print(readable(record), flush=True)
        return "250 Message accepted for delivery"

    def note(self, text):
        if not self.as_json:
            print(f"[gateway] {text}", flush=True)


def readable(record):
    header, _, body = record["data"].partition("\r\n\r\n")
    lines = ["", "=== message received by the gateway ===",
             f"HELO       {record['helo']}",
             f"MAIL FROM  {record['mail_from']}",
             f"RCPT TO    {', '.join(record['rcpt_tos'])}",
             f"{header.strip() or 'Subject:'}",
             "--- text ---"]
    lines += body.rstrip("\r\n").split("\r\n")
    lines.append("=== end of message ===")
    return "\n".join(lines)


async def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--host", default="127.0.0.1")
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("--json", action="store_true", help="one JSON object per message")
    args = parser.parse_args()
    loop = asyncio.get_running_loop()
    server = await loop.create_server(
        lambda: StrictSMTP(Gateway(args.json), decode_data=False, hostname="gateway.standin"), args.host, args.port)
    print("listening", server.sockets[0].getsockname()[1], flush=True)
    await server.serve_forever()


if __name__ == "__main__":
    try:
        asyncio.run(main())
    except KeyboardInterrupt:
        sys.exit(0)
