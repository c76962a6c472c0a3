;;; tamrix.el --- tamrix-cli for the data files: eglot and compile mode
;; The data files are Windows-1250.
(add-to-list 'auto-coding-alist '("/Data/\\(skill\\|stditem\\|type\\|rnditem\\|change\\)\\.txt\\'" . windows-1250-dos))
(define-derived-mode tamrix-data-mode text-mode "Tamrix")
(add-to-list 'auto-mode-alist '("/Data/\\(skill\\|stditem\\|type\\|rnditem\\|change\\)\\.txt\\'" . tamrix-data-mode))
(with-eval-after-load 'eglot
  (add-to-list 'eglot-server-programs '(tamrix-data-mode "tamrix-cli" "--lsp")))
;; M-x compile RET tamrix-cli --check --strict: the gnu form, notes included.
(provide 'tamrix)
