; DeleteMe.com: deletes the file named first on its command tail once it is no longer in use, then
; itself. The uninstaller writes it beside itself and starts it as it exits.
; A DOS COM program: DOS loads it at 100h, after the program segment prefix.
        cpu     8086
        org     100h

TAIL_LENGTH     equ     80h             ; in the program segment prefix
TAIL            equ     81h
ENVIRONMENT     equ     2Ch             ; segment of the environment block
TRIES           equ     1100            ; one try per clock tick (18.2 a second): about a minute

start:
        mov     si, TAIL
        mov     cl, [TAIL_LENGTH]
        xor     ch, ch
skip_blanks:
        jcxz    delete_self             ; an empty tail, or blanks only: nothing to delete but itself
        cmp     byte [si], ' '
        jne     name_found
        inc     si
        dec     cx
        jmp     skip_blanks
name_found:
        mov     dx, si
find_end:
        lodsb                           ; the tail always ends with a carriage return
        cmp     al, ' '
        je      end_found
        cmp     al, 0Dh
        jne     find_end
end_found:
        mov     byte [si-1], 0
        mov     di, TRIES
delete_target:
        mov     ah, 41h
        int     21h
        jnc     delete_self
        cmp     ax, 5                   ; access denied: the uninstaller is still running
        jne     delete_self
        dec     di
        jz      delete_self             ; in use for a minute: give up on it
        push    dx
        xor     ah, ah
        int     1Ah                     ; clock ticks since midnight in CX:DX
        mov     bx, dx
wait_tick:
        xor     ah, ah
        int     1Ah
        cmp     dx, bx
        je      wait_tick
        pop     dx
        jmp     delete_target

delete_self:
        mov     es, [ENVIRONMENT]
        xor     di, di
find_path:                              ; the variables end with two NULs; a count and the path follow
        cmp     word [es:di], 0
        je      path_found
        inc     di
        jns     find_path               ; an environment has at most 32 KB
        jmp     finish
path_found:
        lea     dx, [di+4]
        push    es
        pop     ds
        mov     ah, 41h
        int     21h
finish:
        mov     ax, 4C00h
        int     21h
